<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en">
<context>
    <name>quorvane::ui::CDlgMain</name>
    <message numerus="yes">
        <location filename="../src/ui/main/CDlgMain.cpp" line="+712"/>
        <source>Listing was cancelled: %n item(s) listed.</source>
        <translation>
            <numerusform>Listing was cancelled: %n item listed.</numerusform>
            <numerusform>Listing was cancelled: %n items listed.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <location line="+51"/>
        <source>The backup was cancelled. %1 of %2 items were written; %n were not.</source>
        <translation>
            <numerusform>The backup was cancelled. %1 of %2 items were written; %n was not.</numerusform>
            <numerusform>The backup was cancelled. %1 of %2 items were written; %n were not.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <location line="+3"/>
        <source>%1 of %2 items were written; %n could not be backed up.</source>
        <translation>
            <numerusform>%1 of %2 items were written; %n could not be backed up.</numerusform>
            <numerusform>%1 of %2 items were written; %n could not be backed up.</numerusform>
        </translation>
    </message>
</context>
</TS>
