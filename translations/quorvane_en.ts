<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en">
<context>
    <name>quorvane::cli</name>
    <message numerus="yes">
        <location filename="../src/app/ListingWords.cpp" line="+164"/>
        <source>%n whose file is missing or not a regular file</source>
        <translation>
            <numerusform>%n whose file is missing or not a regular file</numerusform>
            <numerusform>%n whose files are missing or not regular files</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <location line="+4"/>
        <source>%n without a picture that can be shown</source>
        <translation>
            <numerusform>%n without a picture that can be shown</numerusform>
            <numerusform>%n without a picture that can be shown</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <location line="+6"/>
        <source>%n whose Location is not a plain file name (unsafe)</source>
        <translation>
            <numerusform>%n whose Location is not a plain file name (unsafe)</numerusform>
            <numerusform>%n whose Locations are not plain file names (unsafe)</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <location line="+13"/>
        <source>%n of %n catalogue object was left out: %1.</source>
        <translation>
            <numerusform>%n of %n catalogue object was left out: %1.</numerusform>
            <numerusform>%n of %n catalogue objects were left out: %1.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <location line="+5"/>
        <source>%n of %1 catalogue objects was left out: %2.</source>
        <translation>
            <numerusform>%n of %1 catalogue objects was left out: %2.</numerusform>
            <numerusform>%n of %1 catalogue objects were left out: %2.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <location filename="../src/cli/BackupCommand.cpp" line="+147"/>
        <source>interrupted; %1 of %n items were written.</source>
        <translation>
            <numerusform>interrupted; %1 of %n item was written.</numerusform>
            <numerusform>interrupted; %1 of %n items were written.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <location line="+7"/>
        <source>%1 of %n items could not be written.</source>
        <translation>
            <numerusform>%1 of %n item could not be written.</numerusform>
            <numerusform>%1 of %n items could not be written.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <location filename="../src/cli/VerifyCommand.cpp" line="+65"/>
        <source>%1 of %n packs are not sound.</source>
        <translation>
            <numerusform>%1 of %n pack is not sound.</numerusform>
            <numerusform>%1 of %n packs are not sound.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <location filename="../src/cli/RescueCommand.cpp" line="+95"/>
        <source>%1 of %n files could not be written.</source>
        <translation>
            <numerusform>%1 of %n file could not be written.</numerusform>
            <numerusform>%1 of %n files could not be written.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <location line="+6"/>
        <source>%n files rescued into %1.</source>
        <translation>
            <numerusform>%n file rescued into %1.</numerusform>
            <numerusform>%n files rescued into %1.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <location filename="../src/cli/ExportCommand.cpp" line="+157"/>
        <source>interrupted; %1 of %n items were exported.</source>
        <translation>
            <numerusform>interrupted; %1 of %n item was exported.</numerusform>
            <numerusform>interrupted; %1 of %n items were exported.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <location line="+9"/>
        <source>%1 of %n items could not be exported whole.</source>
        <translation>
            <numerusform>%1 of %n item could not be exported whole.</numerusform>
            <numerusform>%1 of %n items could not be exported whole.</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>quorvane::ui::MainWindow</name>
    <message numerus="yes">
        <location filename="../src/ui/main/MainWindowCommands.cpp" line="+264"/>
        <source>Listing was cancelled: %n item(s) listed.</source>
        <translation>
            <numerusform>Listing was cancelled: %n item listed.</numerusform>
            <numerusform>Listing was cancelled: %n items listed.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <location line="+64"/>
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
    <message numerus="yes">
        <location line="+52"/>
        <source>The export was cancelled. %1 of %n items were exported.</source>
        <translation>
            <numerusform>The export was cancelled. %1 of %n item was exported.</numerusform>
            <numerusform>The export was cancelled. %1 of %n items were exported.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <location line="+2"/>
        <source>%n items were exported.</source>
        <translation>
            <numerusform>%n item was exported.</numerusform>
            <numerusform>%n items were exported.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <location line="+1"/>
        <source>%1 of %2 items were exported; %n could not be exported whole.</source>
        <translation>
            <numerusform>%1 of %2 items were exported; %n could not be exported whole.</numerusform>
            <numerusform>%1 of %2 items were exported; %n could not be exported whole.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <location filename="../src/ui/main/MainWindow.cpp" line="+110"/>
        <source>Copying from the disk image: %n file(s)...</source>
        <translation>
            <numerusform>Copying from the disk image: %n file...</numerusform>
            <numerusform>Copying from the disk image: %n files...</numerusform>
        </translation>
    </message>
</context>
</TS>
