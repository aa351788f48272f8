<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="pt_BR">
<context>
    <name>QObject</name>
    <message>
        <location filename="../src/ui/main/main.cpp" line="+78"/>
        <source>Quorvane could not open its demo account either: %1.</source>
        <translation>O Quorvane também não conseguiu abrir a sua conta de demonstração: %1.</translation>
    </message>
    <message>
        <location line="+8"/>
        <source>Quorvane opened a demo account instead, so that you can try it: its passport is %1.</source>
        <translation>Em vez disso, o Quorvane abriu uma conta de demonstração para você experimentá-lo: o passport dela é %1.</translation>
    </message>
</context>
<context>
    <name>Quorvane</name>
    <message>
        <location filename="../src/ui/main/StartNotice.cpp" line="+17"/>
        <source>the folder $WINEPREFIX names</source>
        <translation>a pasta indicada por $WINEPREFIX</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>~/.wine, since $WINEPREFIX is not set</source>
        <translation>~/.wine, pois $WINEPREFIX não está definida</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>No Wine prefix was found. Quorvane looks for Messenger&apos;s data in the Wine prefix Messenger runs in: %1 (%2), and there is no such folder.

If Messenger runs in another prefix, start Quorvane with WINEPREFIX set to it.</source>
        <translation>Nenhum prefixo do Wine foi encontrado. O Quorvane procura os dados do Messenger no prefixo do Wine em que o Messenger é executado: %1 (%2), e essa pasta não existe.

Se o Messenger é executado em outro prefixo, inicie o Quorvane com WINEPREFIX apontando para ele.</translation>
    </message>
    <message>
        <location line="+9"/>
        <source>The Wine prefix %1 (%2) holds no Messenger data for the Wine user &quot;%3&quot;: Quorvane looked for %4.

If Messenger ran there as another user, start Quorvane with USER set to that name; if it runs in another prefix, with WINEPREFIX set to it.</source>
        <translation>O prefixo do Wine %1 (%2) não contém dados do Messenger para o usuário do Wine &quot;%3&quot;: o Quorvane procurou %4.

Se o Messenger foi executado ali como outro usuário, inicie o Quorvane com USER definida com esse nome; se ele é executado em outro prefixo, com WINEPREFIX apontando para ele.</translation>
    </message>
</context>
<context>
    <name>quorvane::Outcomes</name>
    <message>
        <location filename="../src/backup/Backup.cpp" line="+86"/>
        <source>the backup was interrupted before this item</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+6"/>
        <source>there is no listed item %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+16"/>
        <source>it is too large to be written in %1: %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+5"/>
        <source>no file can be written in %1: %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+16"/>
        <source>the cabinet tool wrote no pack</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+3"/>
        <source>the pack could not be sealed: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+60"/>
        <source>its file is named content.xml, the name of the pack&apos;s manifest</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+7"/>
        <location line="+254"/>
        <source>its file name &quot;%1&quot; holds a wildcard (* or ?), which no Windows file name can</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="-246"/>
        <source>its stamp file %1 cannot be read: %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+72"/>
        <source>%1 could not be written: every numbered name is taken</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+5"/>
        <source>%1 could not be written: %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+17"/>
        <source>%1 could not be written to the disk: %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+34"/>
        <source>the folder %1 could not be created: %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+4"/>
        <source>the folder %1 cannot be written into: %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+31"/>
        <source>the listing has no scratch folder for the manifests</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+45"/>
        <source>no work folder could be made in %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+4"/>
        <source>no work folder could be made in %1: %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+29"/>
        <source>its file would be named content.xml, the name of the pack&apos;s manifest</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+11"/>
        <source>another emoticon of this pack has the file name %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+5"/>
        <location line="+68"/>
        <source>its file %1 cannot be read: %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="-64"/>
        <source>its copy in %1 could not be written: %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+16"/>
        <source>the backup was interrupted before the pack was written</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+3"/>
        <source>no emoticon could be copied into the pack</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/backup/CabinetTools.cpp" line="+45"/>
        <source>the cabinet tool &quot;%1&quot; is not installed</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+10"/>
        <source>the cabinet tool &quot;%1&quot; could not be started: %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+11"/>
        <source>the cabinet tool &quot;%1&quot; was stopped because a file it wrote grew beyond the file size limit (ulimit -f)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+6"/>
        <source>the cabinet tool &quot;%1&quot; was killed by signal %2 (%3)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+6"/>
        <source>the cabinet tool &quot;%1&quot; failed</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+3"/>
        <source>the cabinet tool &quot;%1&quot; failed: %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/backup/Manifests.cpp" line="+89"/>
        <source>its content id holds a control character (%1) that XML cannot carry</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+5"/>
        <source>its Location holds a control character (%1) that XML cannot carry</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+5"/>
        <source>its stamp holds a control character (%1) that XML cannot carry</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+6"/>
        <source>its key sequence holds a control character (%1) that XML cannot carry</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+36"/>
        <source>%1 (line %2, column %3)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+9"/>
        <source>only Winks, Dynamic Display Pictures and Dynamic Backgrounds are packed with an object manifest</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+60"/>
        <source>its content.xml would not be well-formed XML: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+19"/>
        <source>its content.xml could not be written in %1: %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+55"/>
        <source>the pack&apos;s content.xml is not well-formed XML: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+10"/>
        <source>the pack&apos;s content.xml could not be written in %1: %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/backup/PackVerifier.cpp" line="+62"/>
        <source>the pack cannot be read: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+10"/>
        <source>the pack is not a sealed cabinet</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+5"/>
        <source>the unsealed copy could not be written: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+53"/>
        <source>the pack holds no content.xml</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+6"/>
        <source>content.xml is not well-formed XML: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+16"/>
        <source>content.xml names no file</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+7"/>
        <source>content.xml names &quot;%1&quot;, which is not in the pack</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+13"/>
        <source>the pack holds &quot;%1&quot;, which content.xml does not name</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/platform/CodePage.cpp" line="+55"/>
        <source>code page not available: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/platform/FileIo.cpp" line="+118"/>
        <source>it does not exist</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+4"/>
        <source>it is a folder, not a regular file</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+3"/>
        <source>it is a FIFO, not a regular file</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+3"/>
        <source>it is a socket, not a regular file</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+3"/>
        <source>it is a device, not a regular file</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+3"/>
        <source>it is a symbolic link, not a regular file</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+5"/>
        <source>it is larger than any file Messenger keeps</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+175"/>
        <source>it is a symbolic link</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/platform/PrivateFolder.cpp" line="+30"/>
        <location line="+75"/>
        <source>the folder %1 cannot be made: %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="-66"/>
        <source>the folder %1 is a symbolic link; Quorvane keeps its private files only in a real folder</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+5"/>
        <source>the folder %1 cannot be opened: %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+8"/>
        <source>the folder %1 cannot be examined: %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+5"/>
        <source>the folder %1 belongs to another user</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+5"/>
        <source>the folder %1 cannot be made private: %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+77"/>
        <source>no scratch folder can be made in %1: %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+7"/>
        <source>the scratch folder %1 cannot be held: %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+20"/>
        <source>the scratch folder %1 cannot be made: %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+6"/>
        <source>no free name for a scratch folder in %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+54"/>
        <source>the lock file %1 cannot be opened: %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+14"/>
        <source>the lock file %1 cannot be locked: %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/platform/ProcessRunner.cpp" line="+46"/>
        <source>no program to run</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/profile/ContentCategory.cpp" line="+18"/>
        <source>MSN Winks</source>
        <translation type="unfinished">Piscadelas do MSN</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>MSN Dynamic Display Pictures</source>
        <translation type="unfinished">Imagens dinâmicas do MSN</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>MSN Dynamic Backgrounds</source>
        <translation type="unfinished">Planos de fundo dinâmicos do MSN</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>MSN Custom Emoticons</source>
        <translation type="unfinished">Emoticons personalizados do MSN</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>MSN Regular Backgrounds</source>
        <translation type="unfinished">Planos de fundo comuns do MSN</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>MSN Regular Display Pictures</source>
        <translation type="unfinished">Imagens de exibição do MSN</translation>
    </message>
    <message>
        <location filename="../src/profile/ObjectList.cpp" line="+121"/>
        <source>no private folder is known</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>quorvane::cli</name>
    <message>
        <location filename="../src/cli/AccountAccess.cpp" line="+23"/>
        <source>the account&apos;s sign-in name, typed exactly as at sign-in (upper and lower case count)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+6"/>
        <source>the Wine prefix Messenger runs in (default: $WINEPREFIX, else ~/.wine)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+6"/>
        <source>the Wine user Messenger ran as (default: $USER); its name is part of the key that protects the catalogues</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+12"/>
        <location filename="../src/cli/BackupCommand.cpp" line="+153"/>
        <location filename="../src/cli/DemoCommand.cpp" line="+23"/>
        <source>--%1 must not be empty</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+12"/>
        <source>%1 does not exist</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>%1 cannot be read: %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+3"/>
        <source>%1 is empty</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>%1 is damaged: it is not a protected file Messenger could have written (truncated or changed)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+9"/>
        <source>%1 could not be unprotected with the passport &quot;%2&quot; as the Wine user &quot;%3&quot;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+10"/>
        <source>the %1 of &quot;%2&quot; cannot be listed: %3.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+8"/>
        <source>The passport must be typed exactly as at sign-in, with the same upper and lower case, and Messenger must have run as the Wine user &quot;%1&quot; (see --wine-user).</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+20"/>
        <source>Quorvane&apos;s own folder %1 cannot be used: %2.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+9"/>
        <source>there is no Messenger data (%1) for the passport &quot;%2&quot; at %3 (no map.dat there).</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+9"/>
        <source>The folder %1 does not exist: check --wine-prefix and --wine-user.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+6"/>
        <source>Check the passport and that Messenger signed in with it in the Wine prefix %1 as the Wine user &quot;%2&quot;.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+13"/>
        <source>%1 names no catalogue file in %2.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+5"/>
        <source>the %1 cannot be listed by this kind of list.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+5"/>
        <source>the %1 could not be listed.</source>
        <translation type="unfinished"></translation>
    </message>
    <message numerus="yes">
        <location line="+16"/>
        <source>%n whose file is missing or not a regular file</source>
        <translation type="unfinished">
            <numerusform></numerusform>
            <numerusform></numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <location line="+4"/>
        <source>%n without a picture that can be shown</source>
        <translation type="unfinished">
            <numerusform></numerusform>
            <numerusform></numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <location line="+6"/>
        <source>%n whose Location is not a plain file name (unsafe)</source>
        <translation type="unfinished">
            <numerusform></numerusform>
            <numerusform></numerusform>
        </translation>
    </message>
    <message>
        <location line="+8"/>
        <source>, </source>
        <extracomment>Between the reasons in the list of why catalogue objects were left out.</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message numerus="yes">
        <location line="+5"/>
        <source>%n of %n catalogue object was left out: %1.</source>
        <translation type="unfinished">
            <numerusform></numerusform>
            <numerusform></numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <location line="+5"/>
        <source>%n of %1 catalogue objects was left out: %2.</source>
        <translation type="unfinished">
            <numerusform></numerusform>
            <numerusform></numerusform>
        </translation>
    </message>
    <message>
        <location line="+13"/>
        <source>another Quorvane is working on the account &quot;%1&quot;; try again when it has finished.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+7"/>
        <source>Quorvane&apos;s own folder cannot be used: %1.</source>
        <translation type="unfinished">A pasta do próprio Quorvane não pode ser usada: %1.</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>interrupted while waiting for another Quorvane to finish with the account &quot;%1&quot;.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/cli/BackupCommand.cpp" line="-98"/>
        <source>--items takes item numbers separated by commas (&quot;0,2,5&quot;), not &quot;%1&quot;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+9"/>
        <source>--items: there is no item %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+6"/>
        <source>--items names item %1 twice</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+13"/>
        <source>--all and --items cannot be given together</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+24"/>
        <source>--items names item %1, which is not in the listing (items 0 to %2; see &quot;%3&quot;)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+25"/>
        <source>Congratulation! Backup finished successfully.</source>
        <translation type="unfinished">Parabéns! O backup foi concluído com êxito.</translation>
    </message>
    <message>
        <location line="+28"/>
        <source>Please list and select the items to backup.</source>
        <translation type="unfinished">Liste e selecione os itens para o backup.</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>Choose them with --all or --items (numbers as &quot;%1&quot; shows them).</source>
        <translation type="unfinished"></translation>
    </message>
    <message numerus="yes">
        <location line="+64"/>
        <source>interrupted; %1 of %n items were written.</source>
        <translation type="unfinished">
            <numerusform></numerusform>
            <numerusform></numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <location line="+7"/>
        <source>%1 of %n items could not be written.</source>
        <translation type="unfinished">
            <numerusform></numerusform>
            <numerusform></numerusform>
        </translation>
    </message>
    <message>
        <location line="+7"/>
        <source>cannot write the outcome to the standard output</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+16"/>
        <source>Back up items of one content type, as Backup Now does.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+8"/>
        <source>the backup folder; the files go into a subfolder per content type</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+6"/>
        <source>back up every listed item, in list order</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+5"/>
        <source>back up these items, in this order (numbers as &quot;quorvane-cli list&quot; shows them)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+6"/>
        <source>Content types (as in &quot;list&quot;) and the subfolders of the backup folder:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+5"/>
        <source>The items are listed first, exactly as &quot;quorvane-cli list&quot; lists them. Each
Wink, Dynamic Display Picture and Dynamic Background becomes a sealed .msn pack
named after it; the chosen Custom Emoticons go together into one dated .msn
pack; Regular Backgrounds and Display Pictures are copied as they are. A file of
the same name from an earlier backup is replaced, but only by a complete new
one: each file is written under a hidden temporary name and renamed into place.
</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+13"/>
        <source>One line per chosen item on the standard output, fields separated by tabs: item
number, display name, then &quot;written&quot; and the file written, or &quot;failed&quot; and
the reason (escaped as in &quot;list&quot;). When every item was written, the last line
is &quot;%1&quot;; otherwise the
standard error says how many could not be.
</source>
        <extracomment>&quot;written&quot;, &quot;failed&quot; and &quot;list&quot; are words the program prints or takes; they stay as they are. %1 is the sentence that ends a backup in which every item was written.</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+9"/>
        <source>An interrupt (Ctrl-C, SIGTERM) stops the backup after the item it is on; the
items not reached are reported as not written.
</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+6"/>
        <source>Exit status: 0 when every chosen item was written; 1 when some could not be,
nothing can be listed or none is chosen, or the passport cannot be an account;
2 for a wrong command line (also an item number that is not in the listing);
130 or 143 after an interrupt.
</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/cli/CatalogueCommand.cpp" line="+56"/>
        <source>nothing could be listed.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+10"/>
        <location filename="../src/cli/ListCommand.cpp" line="+56"/>
        <source>cannot write the listing to the standard output</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+46"/>
        <source>List the objects of one content type that Messenger keeps for an account.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+8"/>
        <location filename="../src/cli/ListCommand.cpp" line="+22"/>
        <source>Content types:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>One line per object on the standard output, fields separated by tabs: index (from 0),
file name in the object folder, tag (content id of packaged objects, key sequence of
emoticons, else empty) and display name, in UTF-8. A backslash, tab, line break or
other control character in a field is written as a backslash escape.
</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+9"/>
        <source>Exit status: 0 when the catalogue was read (also when it lists nothing), 1 when
nothing could be listed (the reason goes to the standard error), 2 for a wrong
command line.
</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/cli/CliOptions.cpp" line="+57"/>
        <source>show this help and exit</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+54"/>
        <location line="+58"/>
        <source>missing --%1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="-45"/>
        <source>unexpected argument &quot;%1&quot;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+11"/>
        <location line="+8"/>
        <source>unknown option &quot;%1&quot;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+4"/>
        <source>--%1 is given more than once</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+7"/>
        <source>--%1 takes no value</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+7"/>
        <source>--%1 needs a value (%2)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+15"/>
        <source>Usage: %1 %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Options:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+5"/>
        <source>Run &quot;%1 %2 --help&quot; for more.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+13"/>
        <source>Usage: %1 COMMAND [OPTIONS]
       %1 --help | --version</source>
        <extracomment>COMMAND and OPTIONS are the manual&apos;s names and stay as they are. The spaces before the second %1 put the program&apos;s name under the first one&apos;s.</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Commands:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+10"/>
        <source>Run &quot;%1 COMMAND --help&quot; for the options of a command.</source>
        <extracomment>COMMAND is the manual&apos;s name and stays as it is.</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+13"/>
        <source>no command given</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+18"/>
        <source>unknown command &quot;%1&quot;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/cli/ContentListing.cpp" line="+17"/>
        <source>the content type: a number 0 to 5 or its name (see below)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+25"/>
        <source>unknown --type &quot;%1&quot;: use a number 0 to 5 or one of %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+11"/>
        <source>Please enter an valid MSN account.</source>
        <translation type="unfinished">Digite uma conta do MSN válida.</translation>
    </message>
    <message>
        <location line="+22"/>
        <source>Qt cannot read PNG, JPEG and GIF pictures here (its image format plugins are missing), so no %1 can be shown.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+12"/>
        <source>interrupted; nothing was listed.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+7"/>
        <source>the %1 cannot be listed: %2.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+9"/>
        <source>there is nothing to list among the %1 of &quot;%2&quot;: the catalogue names no object, or none whose file holds a picture that can be shown.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/cli/DemoCommand.cpp" line="+4"/>
        <source>no Wine user name is known ($USER is not set); give one with --wine-user.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+14"/>
        <source>the demo account cannot be written: %1.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+17"/>
        <source>cannot write to the standard output</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+33"/>
        <source>Write a demo Messenger account to try Quorvane without one.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+5"/>
        <source>the Wine user to write the account for (default: $USER); &quot;list&quot; and &quot;backup&quot; must then be given the same user</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+7"/>
        <source>The demo account, %1, is written into a Wine prefix of
Quorvane&apos;s own, $XDG_DATA_HOME/quorvane/demo-wine (else
~/.local/share/quorvane/demo-wine), exactly as Messenger keeps an account:
protected catalogues, cabinets holding a picture and a Flash movie, pictures.
It holds every content type: 6 Winks, 4 Dynamic Display Pictures, 3 Dynamic
Backgrounds, 8 Custom Emoticons, 4 Backgrounds and 4 Display Pictures. A
complete demo account is left as it is; what is missing or damaged is written
again. Nothing outside the demo&apos;s prefix and Quorvane&apos;s scratch is touched.
</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+12"/>
        <source>Four lines on the standard output, in UTF-8: the Wine prefix, the Wine user,
the passport, and a &quot;list&quot; command line for the demo&apos;s Winks, ready to paste.
</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+6"/>
        <source>Exit status: 0 when the demo account is there, 1 when it cannot be written
(the reason goes to the standard error), 2 for a wrong command line.
</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/cli/ListCommand.cpp" line="-8"/>
        <source>Show the items of one content type that List shows, ready for backup.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+10"/>
        <source>Unlike &quot;catalogue&quot;, this looks into the objects: Winks, Dynamic Display Pictures
and Dynamic Backgrounds are expanded into a scratch folder of Quorvane&apos;s own
(under $XDG_CACHE_HOME/quorvane, removed afterwards; Messenger&apos;s folders are
only read) and must hold a PNG, JPEG or GIF picture; the other types must be a
picture themselves. Objects without one are left out, and the standard error
says how many and why. When the cabinet tool cannot do its work (it is missing
or was killed, or the scratch folder cannot be written), nothing is listed and
the standard error says why. A display name shorter than two characters is
replaced by the name of the object&apos;s picture.
</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+13"/>
        <source>One line per item on the standard output, fields separated by tabs: item number
(what &quot;backup --items&quot; takes), display name and file name in the object folder,
in UTF-8. A backslash, tab, line break or other control character in a field is
written as a backslash escape.
</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+8"/>
        <source>Exit status: 0 when at least one item was listed, 1 when nothing can be listed
or the passport cannot be an account (the reason goes to the standard error), 2
for a wrong command line, 130 or 143 after an interrupt (SIGINT, SIGTERM).
</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/cli/VerifyCommand.cpp" line="+24"/>
        <source>name at least one pack to verify</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+9"/>
        <source>Quorvane&apos;s own folder cannot be used: %1</source>
        <translation type="unfinished">A pasta do próprio Quorvane não pode ser usada: %1. {1?}</translation>
    </message>
    <message>
        <location line="+23"/>
        <source>cannot write the results to the standard output</source>
        <translation type="unfinished"></translation>
    </message>
    <message numerus="yes">
        <location line="+9"/>
        <source>%1 of %n packs are not sound.</source>
        <translation type="unfinished">
            <numerusform></numerusform>
            <numerusform></numerusform>
        </translation>
    </message>
    <message>
        <location line="+14"/>
        <source>Check .msn packs the way Messenger will read them.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+6"/>
        <source>Each pack is checked on a copy in Quorvane&apos;s own folder (under
$XDG_CACHE_HOME): its seal is undone, the cabinet expanded and its content.xml
must be well-formed XML that names only files the pack holds, and the pack
must hold nothing else. The packs themselves are not changed.
</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+9"/>
        <source>One line per pack on the standard output, fields separated by tabs: &quot;ok&quot;, the
pack and the files it holds, or &quot;bad&quot;, the pack and the reason (escaped as in
&quot;list&quot;).
</source>
        <extracomment>&quot;ok&quot; and &quot;bad&quot; are the words the program prints; they stay as they are.</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+7"/>
        <source>Exit status: 0 when every pack is sound, 1 when any is not, 2 for a wrong
command line.
</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>quorvane::ui::CDlgAbout</name>
    <message>
        <location filename="../src/ui/main/CDlgAbout.cpp" line="+12"/>
        <source>About Quorvane</source>
        <translation>Sobre o Quorvane</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Quorvane Version %1</source>
        <translation>Quorvane versão %1</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>OK</source>
        <translation>OK</translation>
    </message>
</context>
<context>
    <name>quorvane::ui::CDlgMain</name>
    <message>
        <location filename="../src/ui/main/CDlgMain.cpp" line="+53"/>
        <source>Congratulation! Backup finished successfully.</source>
        <translation>Parabéns! O backup foi concluído com êxito.</translation>
    </message>
    <message>
        <location line="+122"/>
        <source>Backup Now</source>
        <translation>Fazer Backup</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Backup current selected winks now!</source>
        <translation>Fazer agora o backup das piscadelas selecionadas!</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>Help</source>
        <translation>Ajuda</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Open help manual.</source>
        <translation>Abrir o manual de ajuda.</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Minimize current window.</source>
        <translation>Minimizar a janela atual.</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Close current window and exit.</source>
        <translation>Fechar a janela atual e sair.</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Backup to Folder:</source>
        <translation>Pasta de backup:</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>Change Folder</source>
        <translation>Alterar pasta</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Open Folder</source>
        <translation>Abrir pasta</translation>
    </message>
    <message>
        <location line="+7"/>
        <source>1. Enter your MSN account (e.g. someone@example.com).
2. Select a backup type. 
3. Click &lt;List&gt; button to list the installed items in current account.
4. Select the items to backup.
5. Click &lt;Backup Now&gt; button to backup the selected items.</source>
        <translation>1. Digite a sua conta do MSN (ex.: alguem@example.com).
2. Selecione um tipo de backup.
3. Clique em &lt;Listar&gt; para ver os itens instalados na conta atual.
4. Selecione os itens para o backup.
5. Clique em &lt;Fazer Backup&gt; para copiar os itens selecionados.</translation>
    </message>
    <message>
        <location line="+22"/>
        <source>MSN Passport:</source>
        <translation>Passport do MSN:</translation>
    </message>
    <message>
        <location line="+8"/>
        <source>Backup Type:</source>
        <translation>Tipo de backup:</translation>
    </message>
    <message>
        <location line="+10"/>
        <source>Items installed in current MSN account:</source>
        <translation>Itens instalados na conta atual do MSN:</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Items selected to be backup:</source>
        <translation>Itens selecionados para o backup:</translation>
    </message>
    <message>
        <location line="+23"/>
        <source>List</source>
        <translation>Listar</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>&gt;</source>
        <translation>&gt;</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>&gt;&gt;</source>
        <translation>&gt;&gt;</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>&lt;</source>
        <translation>&lt;</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>&lt;&lt;</source>
        <translation>&lt;&lt;</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Preview</source>
        <translation>Visualizar</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Get More...</source>
        <translation>Obter mais...</translation>
    </message>
    <message>
        <location line="+39"/>
        <source>Minimize</source>
        <translation>Minimizar</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Backup to Folder</source>
        <translation>Pasta de backup</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>The folder the backups are written to.</source>
        <translation>A pasta onde os backups são gravados.</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Choose another folder to write the backups to.</source>
        <translation>Escolher outra pasta para gravar os backups.</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Open the backup folder in the file manager.</source>
        <translation>Abrir a pasta de backup no gerenciador de arquivos.</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>MSN Passport</source>
        <translation>Passport do MSN</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>The Messenger account whose items are listed. Passports used before can be picked from the list.</source>
        <translation>A conta do Messenger cujos itens são listados. Os Passports usados antes podem ser escolhidos na lista.</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Backup Type</source>
        <translation>Tipo de backup</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>The kind of items to list and back up.</source>
        <translation>O tipo de itens a listar e salvar no backup.</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Items installed in current MSN account</source>
        <translation>Itens instalados na conta atual do MSN</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>The items List found. Add moves the selected one to the items to back up.</source>
        <translation>Os itens que Listar encontrou. Adicionar move o selecionado para os itens do backup.</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Items selected to be backup</source>
        <translation>Itens selecionados para o backup</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>The items Backup Now writes to the backup folder.</source>
        <translation>Os itens que Fazer Backup grava na pasta de backup.</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>List the account&apos;s items of the chosen type.</source>
        <translation>Listar os itens da conta do tipo escolhido.</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Add</source>
        <translation>Adicionar</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Move the selected item to the items to back up.</source>
        <translation>Mover o item selecionado para os itens do backup.</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Add All</source>
        <translation>Adicionar todos</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Move every item to the items to back up.</source>
        <translation>Mover todos os itens para os itens do backup.</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Remove</source>
        <translation>Remover</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Move the selected item back out of the items to back up.</source>
        <translation>Tirar o item selecionado dos itens do backup.</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Remove All</source>
        <translation>Remover todos</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Move every item out of the items to back up.</source>
        <translation>Tirar todos os itens dos itens do backup.</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Play or show the selected item.</source>
        <translation>Reproduzir ou mostrar o item selecionado.</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Open the manual where it tells where more content comes from.</source>
        <translation>Abrir o manual onde ele conta de onde vem mais conteúdo.</translation>
    </message>
    <message>
        <location line="+159"/>
        <source>&amp;About Quorvane...</source>
        <translation>&amp;Sobre o Quorvane...</translation>
    </message>
    <message>
        <location line="-180"/>
        <location line="+182"/>
        <source>Close</source>
        <translation>Fechar</translation>
    </message>
    <message>
        <location line="+102"/>
        <source>Please select an installed winks to add to backup.</source>
        <translation>Selecione uma piscadela instalada para adicionar ao backup.</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>Please select an winks not to be backup.</source>
        <translation>Selecione uma piscadela para retirar do backup.</translation>
    </message>
    <message>
        <location line="+14"/>
        <source>Preview is not part of this build of Quorvane.</source>
        <translation>A visualização não faz parte desta compilação do Quorvane.</translation>
    </message>
    <message>
        <location line="+13"/>
        <source>Please select a MSN Object to preview.</source>
        <translation>Selecione um objeto do MSN para visualizar.</translation>
    </message>
    <message>
        <location line="+20"/>
        <source>Please enter an valid MSN account.</source>
        <translation>Digite uma conta do MSN válida.</translation>
    </message>
    <message>
        <location line="+12"/>
        <source>Listing...</source>
        <translation>Listando...</translation>
    </message>
    <message numerus="yes">
        <location line="+46"/>
        <source>Listing was cancelled: %n item(s) listed.</source>
        <translation>
            <numerusform>A listagem foi cancelada: %n item listado.</numerusform>
            <numerusform>A listagem foi cancelada: %n itens listados.</numerusform>
        </translation>
    </message>
    <message>
        <location line="+5"/>
        <source>Nothing could be listed: %1.</source>
        <translation>Nada pôde ser listado: %1.</translation>
    </message>
    <message>
        <location line="+11"/>
        <source>Please list and select the items to backup.</source>
        <translation>Liste e selecione os itens para o backup.</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Backing up...</source>
        <translation>Fazendo backup...</translation>
    </message>
    <message>
        <location line="-29"/>
        <location line="+55"/>
        <source>(no name)</source>
        <translation>(sem nome)</translation>
    </message>
    <message numerus="yes">
        <location line="+6"/>
        <source>The backup was cancelled. %1 of %2 items were written; %n were not.</source>
        <translation>
            <numerusform>O backup foi cancelado. %1 de %2 itens foram gravados; %n não foi.</numerusform>
            <numerusform>O backup foi cancelado. %1 de %2 itens foram gravados; %n não foram.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <location line="+3"/>
        <source>%1 of %2 items were written; %n could not be backed up.</source>
        <translation>
            <numerusform>%1 de %2 itens foram gravados; não foi possível fazer o backup de %n.</numerusform>
            <numerusform>%1 de %2 itens foram gravados; não foi possível fazer o backup de %n.</numerusform>
        </translation>
    </message>
    <message>
        <location line="+10"/>
        <source>Another Quorvane is working on this account. Try again when it has finished.</source>
        <translation>Outro Quorvane está trabalhando nesta conta. Tente novamente quando ele terminar.</translation>
    </message>
    <message>
        <location line="+15"/>
        <source>Quorvane&apos;s own folder cannot be used: %1.</source>
        <translation>A pasta do próprio Quorvane não pode ser usada: %1.</translation>
    </message>
    <message>
        <location line="+16"/>
        <source>Cancel</source>
        <translation>Cancelar</translation>
    </message>
    <message>
        <location line="+33"/>
        <source>Listing %1 of %2...</source>
        <translation>Listando %1 de %2...</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Backing up %1 of %2...</source>
        <translation>Fazendo backup de %1 de %2...</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>Please select a folder to backup the MSN Content Packs.</source>
        <translation>Selecione uma pasta para o backup dos pacotes de conteúdo do MSN.</translation>
    </message>
</context>
<context>
    <name>quorvane::ui::CDlgPreviewWinks</name>
    <message>
        <location filename="../src/ui/preview/CDlgPreviewWinks.cpp" line="+22"/>
        <source>Preview - Quorvane</source>
        <translation>Visualizar - Quorvane</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>Cancel</source>
        <translation>Cancelar</translation>
    </message>
    <message>
        <location line="+21"/>
        <source>Loading...</source>
        <translation>Carregando...</translation>
    </message>
</context>
<context>
    <name>quorvane::ui::PreviewPlayerPage</name>
    <message>
        <location filename="../src/ui/preview/CExplorer_previewflash.cpp" line="+103"/>
        <source>The Flash player stopped on this file.</source>
        <translation>O Flash Player parou neste arquivo.</translation>
    </message>
</context>
</TS>
