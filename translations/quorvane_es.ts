<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="es_ES">
<context>
    <name>QObject</name>
    <message>
        <location filename="../src/ui/main/main.cpp" line="+82"/>
        <source>Quorvane could not open its demo account either: %1.</source>
        <translation>Quorvane tampoco pudo abrir su cuenta de demostración: %1.</translation>
    </message>
    <message>
        <location line="+9"/>
        <source>Quorvane opened a demo account instead, so that you can try it: its passport is %1.</source>
        <translation>Quorvane abrió en su lugar una cuenta de demostración para que pueda probarlo: su Passport es %1.</translation>
    </message>
</context>
<context>
    <name>Quorvane</name>
    <message>
        <location filename="../src/ui/main/StartNotice.cpp" line="+17"/>
        <source>the folder $WINEPREFIX names</source>
        <translation>la carpeta que indica $WINEPREFIX</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>~/.wine, since $WINEPREFIX is not set</source>
        <translation>~/.wine, ya que $WINEPREFIX no está definida</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>No Wine prefix was found. Quorvane looks for Messenger&apos;s data in the Wine prefix Messenger runs in: %1 (%2), and there is no such folder.

If Messenger runs in another prefix, start Quorvane with WINEPREFIX set to it.</source>
        <translation>No se encontró ningún prefijo de Wine. Quorvane busca los datos de Messenger en el prefijo de Wine en el que se ejecuta Messenger: %1 (%2), y esa carpeta no existe.

Si Messenger se ejecuta en otro prefijo, inicie Quorvane con WINEPREFIX apuntando a él.</translation>
    </message>
    <message>
        <location line="+9"/>
        <source>The Wine prefix %1 (%2) holds no Messenger data for the Wine user &quot;%3&quot;: Quorvane looked for %4.

If Messenger ran there as another user, start Quorvane with USER set to that name; if it runs in another prefix, with WINEPREFIX set to it.</source>
        <translation>El prefijo de Wine %1 (%2) no contiene datos de Messenger para el usuario de Wine &quot;%3&quot;: Quorvane buscó %4.

Si Messenger se ejecutó allí como otro usuario, inicie Quorvane con USER establecida a ese nombre; si se ejecuta en otro prefijo, con WINEPREFIX apuntando a él.</translation>
    </message>
</context>
<context>
    <name>quorvane::Gallery</name>
    <message>
        <location filename="../src/app/GalleryText.cpp" line="+19"/>
        <source>en</source>
        <comment>The BCP 47 tag of this translation&apos;s language (pt-BR, es), for the gallery page&apos;s lang attribute</comment>
        <translation>es</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>Messenger content of %1</source>
        <translation>Contenido de Messenger de %1</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Original</source>
        <translation>Original</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Video (WebM)</source>
        <translation>Vídeo (WebM)</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Animation (WebP)</source>
        <translation>Animación (WebP)</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Animation (GIF)</source>
        <translation>Animación (GIF)</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>First frame (PNG)</source>
        <translation>Primer fotograma (PNG)</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Thumbnail</source>
        <translation>Miniatura</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Shortcut:</source>
        <translation>Atajo:</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Play the video to hear its sound.</source>
        <translation>Reproduzca el vídeo para oír su sonido.</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Nothing was exported.</source>
        <translation>No se exportó nada.</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Failed:</source>
        <translation>Falló:</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Winks</source>
        <translation>Guiños</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Dynamic Display Pictures</source>
        <translation>Imágenes dinámicas</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Dynamic Backgrounds</source>
        <translation>Fondos dinámicos</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Custom Emoticons</source>
        <translation>Emoticonos personalizados</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Backgrounds</source>
        <translation>Fondos</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Display Pictures</source>
        <translation>Imágenes para mostrar</translation>
    </message>
</context>
<context>
    <name>quorvane::Outcomes</name>
    <message>
        <location filename="../src/backup/BackupOperation.cpp" line="+87"/>
        <source>the backup was interrupted before this item</source>
        <translation>la copia de seguridad se interrumpió antes de este elemento</translation>
    </message>
    <message>
        <location line="+7"/>
        <source>there is no listed item %1</source>
        <translation>no hay ningún elemento %1 en la lista</translation>
    </message>
    <message>
        <location line="+20"/>
        <source>it is too large to be written in %1: %2</source>
        <translation>es demasiado grande para escribirlo en %1: %2</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>no file can be written in %1: %2</source>
        <translation>no se puede escribir ningún archivo en %1: %2</translation>
    </message>
    <message>
        <location line="+17"/>
        <source>the cabinet tool wrote no pack</source>
        <translation>la herramienta de archivos CAB no escribió ningún paquete</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>the pack could not be sealed: %1</source>
        <translation>no se pudo sellar el paquete: %1</translation>
    </message>
    <message>
        <location line="+93"/>
        <source>its file is named content.xml, the name of the pack&apos;s manifest</source>
        <translation>su archivo se llama content.xml, que es el nombre del manifiesto del paquete</translation>
    </message>
    <message>
        <location line="-66"/>
        <location line="+71"/>
        <source>its file name &quot;%1&quot; holds a wildcard (* or ?), which no Windows file name can</source>
        <translation>su nombre de archivo &quot;%1&quot; contiene un comodín (* o ?), cosa que ningún nombre de archivo de Windows puede contener</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>its stamp file %1 cannot be read: %2</source>
        <translation>no se puede leer su archivo de firma %1: %2</translation>
    </message>
    <message>
        <location line="+83"/>
        <location filename="../src/export/ExportOperation.cpp" line="+379"/>
        <source>%1 could not be written: every numbered name is taken</source>
        <translation>no se pudo escribir %1: todos los nombres numerados están ocupados</translation>
    </message>
    <message>
        <location line="+6"/>
        <location filename="../src/backup/Rescue.cpp" line="+261"/>
        <location line="+35"/>
        <location filename="../src/export/ExportOperation.cpp" line="-213"/>
        <location line="+223"/>
        <location filename="../src/export/NewFile.cpp" line="+21"/>
        <location line="+10"/>
        <location line="+22"/>
        <source>%1 could not be written: %2</source>
        <translation>no se pudo escribir %1: %2</translation>
    </message>
    <message>
        <location line="+72"/>
        <source>%1 could not be written to the disk: %2</source>
        <translation>no se pudo escribir %1 en el disco: %2</translation>
    </message>
    <message>
        <location line="+62"/>
        <location filename="../src/export/ExportOperation.cpp" line="-239"/>
        <source>the folder %1 could not be created: %2</source>
        <translation>no se pudo crear la carpeta %1: %2</translation>
    </message>
    <message>
        <location line="+4"/>
        <location filename="../src/export/ExportOperation.cpp" line="+4"/>
        <location line="+280"/>
        <source>the folder %1 cannot be written into: %2</source>
        <translation>no se puede escribir en la carpeta %1: %2</translation>
    </message>
    <message>
        <location line="+32"/>
        <source>the listing has no scratch folder for the manifests</source>
        <translation>el listado no tiene ninguna carpeta temporal para los manifiestos</translation>
    </message>
    <message>
        <location line="+63"/>
        <source>no work folder could be made in %1</source>
        <translation>no se pudo crear ninguna carpeta de trabajo en %1</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>no work folder could be made in %1: %2</source>
        <translation>no se pudo crear ninguna carpeta de trabajo en %1: %2</translation>
    </message>
    <message>
        <location line="-407"/>
        <source>its file would be named content.xml, the name of the pack&apos;s manifest</source>
        <translation>su archivo se llamaría content.xml, que es el nombre del manifiesto del paquete</translation>
    </message>
    <message>
        <location line="+11"/>
        <source>another emoticon of this pack has the file name %1</source>
        <translation>otro emoticono de este paquete tiene el nombre de archivo %1</translation>
    </message>
    <message>
        <location line="+14"/>
        <location line="+487"/>
        <location filename="../src/export/ExportOperation.cpp" line="-248"/>
        <source>its file %1 cannot be read: %2</source>
        <translation>no se puede leer su archivo %1: %2</translation>
    </message>
    <message>
        <location line="-484"/>
        <source>its copy in %1 could not be written: %2</source>
        <translation>no se pudo escribir su copia en %1: %2</translation>
    </message>
    <message>
        <location line="+444"/>
        <source>the backup was interrupted before the pack was written</source>
        <translation>la copia de seguridad se interrumpió antes de escribir el paquete</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>no emoticon could be copied into the pack</source>
        <translation>no se pudo copiar ningún emoticono en el paquete</translation>
    </message>
    <message>
        <location filename="../src/backup/CabinetTools.cpp" line="+56"/>
        <source>the cabinet tool &quot;%1&quot; is not installed</source>
        <translation>la herramienta de archivos CAB &quot;%1&quot; no está instalada</translation>
    </message>
    <message>
        <location line="+10"/>
        <source>the cabinet tool &quot;%1&quot; could not be started: %2</source>
        <translation>no se pudo iniciar la herramienta de archivos CAB &quot;%1&quot;: %2</translation>
    </message>
    <message>
        <location line="+12"/>
        <source>the cabinet tool &quot;%1&quot; was stopped because a file it wrote grew beyond the file size limit (ulimit -f)</source>
        <translation>la herramienta de archivos CAB &quot;%1&quot; se detuvo porque un archivo que escribía superó el límite de tamaño de archivo (ulimit -f)</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>the cabinet tool &quot;%1&quot; was killed by signal %2 (%3)</source>
        <translation>la herramienta de archivos CAB &quot;%1&quot; fue terminada por la señal %2 (%3)</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>the cabinet tool &quot;%1&quot; failed</source>
        <translation>la herramienta de archivos CAB &quot;%1&quot; falló</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>the cabinet tool &quot;%1&quot; failed: %2</source>
        <translation>la herramienta de archivos CAB &quot;%1&quot; falló: %2</translation>
    </message>
    <message>
        <location filename="../src/backup/Manifests.cpp" line="+88"/>
        <source>its content id holds a control character (%1) that XML cannot carry</source>
        <translation>su identificador de contenido contiene un carácter de control (%1) que XML no admite</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>its Location holds a control character (%1) that XML cannot carry</source>
        <translation>su campo Location contiene un carácter de control (%1) que XML no admite</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>its stamp holds a control character (%1) that XML cannot carry</source>
        <translation>su firma contiene un carácter de control (%1) que XML no admite</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>its key sequence holds a control character (%1) that XML cannot carry</source>
        <translation>su secuencia de teclas contiene un carácter de control (%1) que XML no admite</translation>
    </message>
    <message>
        <location line="+36"/>
        <source>%1 (line %2, column %3)</source>
        <translation>%1 (línea %2, columna %3)</translation>
    </message>
    <message>
        <location line="+7"/>
        <source>only Winks, Dynamic Display Pictures and Dynamic Backgrounds are packed with an object manifest</source>
        <translation>solo los guiños, las imágenes dinámicas y los fondos dinámicos se empaquetan con un manifiesto de objeto</translation>
    </message>
    <message>
        <location line="+57"/>
        <source>its content.xml would not be well-formed XML: %1</source>
        <translation>su content.xml no sería XML bien formado: %1</translation>
    </message>
    <message>
        <location line="+16"/>
        <source>its content.xml could not be written in %1: %2</source>
        <translation>no se pudo escribir su content.xml en %1: %2</translation>
    </message>
    <message>
        <location line="+53"/>
        <source>the pack&apos;s content.xml is not well-formed XML: %1</source>
        <translation>el content.xml del paquete no es XML bien formado: %1</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>the pack&apos;s content.xml could not be written in %1: %2</source>
        <translation>no se pudo escribir el content.xml del paquete en %1: %2</translation>
    </message>
    <message>
        <location filename="../src/profile/PackCipher.cpp" line="+155"/>
        <source>the pack cannot be read: %1</source>
        <translation>no se puede leer el paquete: %1</translation>
    </message>
    <message>
        <location line="+7"/>
        <source>the pack is not a sealed cabinet</source>
        <translation>el paquete no es un archivo CAB sellado</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>the unsealed copy could not be written: %1</source>
        <translation>no se pudo escribir la copia sin sello: %1</translation>
    </message>
    <message>
        <location filename="../src/backup/PackVerifier.cpp" line="+88"/>
        <source>the pack holds no content.xml</source>
        <translation>el paquete no contiene ningún content.xml</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>content.xml is not well-formed XML: %1</source>
        <translation>content.xml no es XML bien formado: %1</translation>
    </message>
    <message>
        <location line="+14"/>
        <source>content.xml names no file</source>
        <translation>content.xml no nombra ningún archivo</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>content.xml names &quot;%1&quot;, which is not in the pack</source>
        <translation>content.xml nombra &quot;%1&quot;, que no está en el paquete</translation>
    </message>
    <message>
        <location line="+11"/>
        <source>the pack holds &quot;%1&quot;, which content.xml does not name</source>
        <translation>el paquete contiene &quot;%1&quot;, que content.xml no nombra</translation>
    </message>
    <message>
        <location filename="../src/platform/CodePage.cpp" line="+77"/>
        <source>code page not available: %1</source>
        <translation>página de códigos no disponible: %1</translation>
    </message>
    <message>
        <location filename="../src/platform/FileIo.cpp" line="+142"/>
        <source>it does not exist</source>
        <translation>no existe</translation>
    </message>
    <message>
        <location line="-22"/>
        <source>it is a folder, not a regular file</source>
        <translation>es una carpeta, no un archivo normal</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>it is a FIFO, not a regular file</source>
        <translation>es un FIFO, no un archivo normal</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>it is a socket, not a regular file</source>
        <translation>es un socket, no un archivo normal</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>it is a device, not a regular file</source>
        <translation>es un dispositivo, no un archivo normal</translation>
    </message>
    <message>
        <location line="-2"/>
        <source>it is a symbolic link, not a regular file</source>
        <translation>es un enlace simbólico, no un archivo normal</translation>
    </message>
    <message>
        <location line="+19"/>
        <source>it is larger than any file Messenger keeps</source>
        <translation>es más grande que cualquier archivo que guarde Messenger</translation>
    </message>
    <message>
        <location line="+205"/>
        <source>it is a symbolic link</source>
        <translation>es un enlace simbólico</translation>
    </message>
    <message>
        <location filename="../src/app/DemoAccount.cpp" line="+189"/>
        <source>the demo&apos;s file %1 cannot be read: %2</source>
        <translation>no se puede leer el archivo de la demostración %1: %2</translation>
    </message>
    <message>
        <location line="+186"/>
        <location filename="../src/platform/PrivateFolder.cpp" line="+29"/>
        <location line="+64"/>
        <source>the folder %1 cannot be made: %2</source>
        <translation>no se puede crear la carpeta %1: %2</translation>
    </message>
    <message>
        <location line="+11"/>
        <source>%1 cannot be written: %2</source>
        <translation>no se puede escribir %1: %2</translation>
    </message>
    <message>
        <location line="+7"/>
        <source>the data protection of %1 failed</source>
        <translation>falló la protección de datos de %1</translation>
    </message>
    <message>
        <location line="+38"/>
        <source>the cabinet is not whole</source>
        <translation>el archivo CAB no está completo</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>%1 cannot be made: %2</source>
        <translation>no se puede crear %1: %2</translation>
    </message>
    <message>
        <location line="+62"/>
        <source>another Quorvane is working on the demo account; try again when it has finished</source>
        <translation>otro Quorvane está trabajando con la cuenta de demostración; inténtelo de nuevo cuando haya terminado</translation>
    </message>
    <message>
        <location line="+13"/>
        <source>%1: %2</source>
        <translation>%1: %2</translation>
    </message>
    <message>
        <location line="+22"/>
        <source>no folder is given for the demo&apos;s Wine prefix</source>
        <translation>no se indicó ninguna carpeta para el prefijo de Wine de la demostración</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>the Wine user name &quot;%1&quot; cannot be a folder&apos;s name</source>
        <translation>el nombre de usuario de Wine &quot;%1&quot; no puede ser el nombre de una carpeta</translation>
    </message>
    <message>
        <location filename="../src/platform/PrivateFolder.cpp" line="-54"/>
        <source>the folder %1 is a symbolic link; Quorvane keeps its private files only in a real folder</source>
        <translation>la carpeta %1 es un enlace simbólico; Quorvane guarda sus archivos privados solo en una carpeta real</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>the folder %1 cannot be opened: %2</source>
        <translation>no se puede abrir la carpeta %1: %2</translation>
    </message>
    <message>
        <location line="+9"/>
        <source>the folder %1 cannot be examined: %2</source>
        <translation>no se puede examinar la carpeta %1: %2</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>the folder %1 belongs to another user</source>
        <translation>la carpeta %1 pertenece a otro usuario</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>the folder %1 cannot be made private: %2</source>
        <translation>no se puede hacer privada la carpeta %1: %2</translation>
    </message>
    <message>
        <location filename="../src/platform/ScratchFolder.cpp" line="+46"/>
        <source>no scratch folder can be made in %1: %2</source>
        <translation>no se puede crear ninguna carpeta temporal en %1: %2</translation>
    </message>
    <message>
        <location line="+8"/>
        <source>the scratch folder %1 cannot be held: %2</source>
        <translation>no se puede bloquear la carpeta temporal %1: %2</translation>
    </message>
    <message>
        <location line="+22"/>
        <source>the scratch folder %1 cannot be made: %2</source>
        <translation>no se puede crear la carpeta temporal %1: %2</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>no free name for a scratch folder in %1</source>
        <translation>no hay ningún nombre libre para una carpeta temporal en %1</translation>
    </message>
    <message>
        <location filename="../src/platform/FileLock.cpp" line="+21"/>
        <source>the lock file %1 cannot be opened: %2</source>
        <translation>no se puede abrir el archivo de bloqueo %1: %2</translation>
    </message>
    <message>
        <location line="+14"/>
        <source>the lock file %1 cannot be locked: %2</source>
        <translation>no se puede bloquear el archivo de bloqueo %1: %2</translation>
    </message>
    <message>
        <location filename="../src/platform/ProcessRunner.cpp" line="+48"/>
        <source>no program to run</source>
        <translation>no hay ningún programa que ejecutar</translation>
    </message>
    <message>
        <location filename="../src/profile/ContentCategory.cpp" line="+18"/>
        <source>MSN Winks</source>
        <translation>Guiños de MSN</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>MSN Dynamic Display Pictures</source>
        <translation>Imágenes dinámicas de MSN</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>MSN Dynamic Backgrounds</source>
        <translation>Fondos dinámicos de MSN</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>MSN Custom Emoticons</source>
        <translation>Emoticonos personalizados de MSN</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>MSN Regular Backgrounds</source>
        <translation>Fondos normales de MSN</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>MSN Regular Display Pictures</source>
        <translation>Imágenes para mostrar de MSN</translation>
    </message>
    <message>
        <location filename="../src/profile/ObjectList.cpp" line="+130"/>
        <source>no private folder is known</source>
        <translation>no se conoce ninguna carpeta privada</translation>
    </message>
    <message>
        <location filename="../src/backup/Rescue.cpp" line="-134"/>
        <location line="+37"/>
        <location line="+22"/>
        <location line="+206"/>
        <location line="+82"/>
        <source>%1 could not be read: %2</source>
        <translation>no se pudo leer %1: %2</translation>
    </message>
    <message>
        <location line="-342"/>
        <location line="+334"/>
        <source>more than %1 entries under %2: the rest was not looked at</source>
        <translation>más de %1 entradas en %2: el resto no se examinó</translation>
    </message>
    <message>
        <location line="-310"/>
        <source>%1 lies deeper than %2 folders and was not looked into</source>
        <translation>%1 está a más de %2 carpetas de profundidad y no se examinó</translation>
    </message>
    <message>
        <location line="+55"/>
        <source>%1 could not be copied into %2: %3</source>
        <translation>no se pudo copiar %1 en %2: %3</translation>
    </message>
    <message>
        <location line="+23"/>
        <source>%1 was not copied: %2 and %3 more names like it are taken</source>
        <translation>%1 no se copió: %2 y %3 nombres más como ese están ocupados</translation>
    </message>
    <message>
        <location line="+65"/>
        <source>nothing was copied: %1 could not be read: %2</source>
        <translation>no se copió nada: no se pudo leer %1: %2</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>Rescued by Quorvane on %1 from %2.
These files were copied by their content alone, without Messenger&apos;s catalogue
(which cannot be read without the Windows password): every file in the account
folders that is a cabinet or a GIF, PNG, JPEG or BMP picture. This is not a
backup. The names were taken from the files themselves (a cabinet&apos;s content.xml
where it gives one, else the file&apos;s own name); the display names, emoticon
shortcuts and stamps that only the catalogue holds are missing. A cabinet (.cab)
is an object as Messenger installed it, not a .msn pack: Messenger cannot install
it again, but any cabinet tool opens it.
</source>
        <translation>Archivos rescatados por Quorvane el %1 desde %2.
Estos archivos se copiaron solo por su contenido, sin el catálogo de Messenger
(que no se puede leer sin la contraseña de Windows): todos los archivos de las
carpetas de la cuenta que son un archivo CAB o una imagen GIF, PNG, JPEG o BMP.
Esto no es una copia de seguridad. Los nombres se tomaron de los propios
archivos (del content.xml de un archivo CAB, si indica uno, o si no, del nombre
del propio archivo); faltan los nombres para mostrar, los atajos de los
emoticonos y las firmas, que solo contiene el catálogo. Un archivo CAB (.cab) es
un objeto tal como lo instaló Messenger, no un paquete .msn: Messenger no puede
volver a instalarlo, pero cualquier herramienta de archivos CAB lo abre.
</translation>
    </message>
    <message>
        <location line="+16"/>
        <source>nothing was copied: %1 could not be written: %2</source>
        <translation>no se copió nada: no se pudo escribir %1: %2</translation>
    </message>
    <message>
        <location line="+23"/>
        <location line="+7"/>
        <location line="+47"/>
        <location line="+54"/>
        <location line="+7"/>
        <source>%1 could not be made: %2</source>
        <translation>no se pudo crear %1: %2</translation>
    </message>
    <message>
        <location line="-55"/>
        <source>%1 lies inside the Windows user&apos;s folder %2, which is only read: choose a folder outside it</source>
        <translation>%1 está dentro de la carpeta del usuario de Windows %2, que solo se lee: elija una carpeta fuera de ella</translation>
    </message>
    <message>
        <location line="+9"/>
        <source>Messenger&apos;s folder %1 leads to %2, outside the Windows user&apos;s folder %3: it is not read</source>
        <translation>la carpeta de Messenger %1 lleva a %2, fuera de la carpeta del usuario de Windows %3: no se lee</translation>
    </message>
    <message>
        <location line="+19"/>
        <location line="+7"/>
        <source>Messenger&apos;s folder %1 cannot be read: %2</source>
        <translation>no se puede leer la carpeta de Messenger %1: %2</translation>
    </message>
    <message>
        <location line="+7"/>
        <source>Messenger&apos;s folder %1 holds no account</source>
        <translation>la carpeta de Messenger %1 no contiene ninguna cuenta</translation>
    </message>
    <message>
        <location filename="../src/sources/WindowsProfile.cpp" line="+131"/>
        <source>%1 is not a folder</source>
        <translation>%1 no es una carpeta</translation>
    </message>
    <message>
        <location line="+7"/>
        <source>%1 is not the folder of a Windows user (it has neither &quot;Application Data&quot; nor &quot;AppData/Roaming&quot;), and no user&apos;s folder was found in it</source>
        <translation>%1 no es la carpeta de un usuario de Windows (no tiene ni &quot;Application Data&quot; ni &quot;AppData/Roaming&quot;), y no se encontró en ella ninguna carpeta de usuario</translation>
    </message>
    <message>
        <location line="+11"/>
        <source>%1 holds the folders of several Windows users; give the one to read:%2</source>
        <translation>%1 contiene las carpetas de varios usuarios de Windows; indique la que se debe leer:%2</translation>
    </message>
    <message>
        <location line="+43"/>
        <source>the master keys of %1 ask for more hashing than Windows ever needs (over %2 rounds in all), so the password was not checked: its Protect folder or CREDHIST is damaged</source>
        <translation>las claves maestras de %1 piden más cálculo de hash del que Windows necesita nunca (más de %2 rondas en total), así que no se comprobó la contraseña: su carpeta Protect o su CREDHIST están dañados</translation>
    </message>
    <message>
        <location line="+8"/>
        <source>interrupted while checking the password of the Windows profile of %1</source>
        <translation>interrumpido mientras se comprobaba la contraseña del perfil de Windows de %1</translation>
    </message>
    <message>
        <location line="+25"/>
        <source>%1; it opens none of the keys of %2</source>
        <translation>%1; no abre ninguna de las claves de %2</translation>
    </message>
    <message>
        <location line="+19"/>
        <source>%1 has no master keys (in Microsoft/Protect/S-1-5-21-...), so its protected files cannot be read</source>
        <translation>%1 no tiene claves maestras (en Microsoft/Protect/S-1-5-21-...), así que sus archivos protegidos no se pueden leer</translation>
    </message>
    <message>
        <location filename="../src/protection/WindowsKeyring.cpp" line="+183"/>
        <location filename="../src/sources/WindowsProfile.cpp" line="-34"/>
        <source>the password does not unlock the Windows profile of %1</source>
        <translation>la contraseña no desbloquea el perfil de Windows de %1</translation>
    </message>
    <message>
        <location filename="../src/sources/WindowsProfile.cpp" line="+26"/>
        <source>the master key file %1 is damaged or cannot be read</source>
        <translation>el archivo de clave maestra %1 está dañado o no se puede leer</translation>
    </message>
    <message>
        <location filename="../src/protection/WindowsKeyring.cpp" line="-7"/>
        <location filename="../src/sources/WindowsProfile.cpp" line="-22"/>
        <source>the NT hash does not unlock the Windows profile of %1 (the keys of a local account are opened by its password, not by its NT hash: give the password instead)</source>
        <translation>el hash NT no desbloquea el perfil de Windows de %1 (las claves de una cuenta local se abren con su contraseña, no con su hash NT: indique la contraseña)</translation>
    </message>
    <message>
        <location line="-85"/>
        <source>the master key %1 is not in %2</source>
        <translation>la clave maestra %1 no está en %2</translation>
    </message>
    <message>
        <location line="+7"/>
        <source>%1 is damaged</source>
        <translation>%1 está dañado</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>opening %1 asks for more hashing than Windows ever needs (over %2 rounds in all): it or CREDHIST is damaged</source>
        <translation>abrir %1 pide más cálculo de hash del que Windows necesita nunca (más de %2 rondas en total): el archivo o CREDHIST están dañados</translation>
    </message>
    <message>
        <location line="+8"/>
        <source>interrupted while checking the password</source>
        <translation>interrumpido mientras se comprobaba la contraseña</translation>
    </message>
    <message>
        <location line="+14"/>
        <source>%1 cannot be read</source>
        <translation>no se puede leer %1</translation>
    </message>
    <message>
        <location line="+10"/>
        <source>%1 is damaged (it asks for more than %2 rounds of hashing)</source>
        <translation>%1 está dañado (pide más de %2 rondas de hash)</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>%1 uses an algorithm Windows never used for it</source>
        <translation>%1 usa un algoritmo que Windows nunca usó para él</translation>
    </message>
    <message>
        <location filename="../src/sources/DiskImage.cpp" line="+64"/>
        <source>Quorvane&apos;s disk-image reader (diskimage) is not installed</source>
        <translation>el lector de imágenes de disco de Quorvane (diskimage) no está instalado</translation>
    </message>
    <message>
        <location line="+9"/>
        <source>the disk-image reader could not be started: %1</source>
        <translation>no se pudo iniciar el lector de imágenes de disco: %1</translation>
    </message>
    <message>
        <location line="+7"/>
        <source>reading %1 was cancelled</source>
        <translation>se canceló la lectura de %1</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>reading %1 took far longer than any disk needs, so it was stopped</source>
        <translation>la lectura de %1 tardó mucho más de lo que necesita cualquier disco, así que se detuvo</translation>
    </message>
    <message>
        <location line="+8"/>
        <source>the disk-image reader stopped on %1 (signal %2): the image is damaged or made to do harm</source>
        <translation>el lector de imágenes de disco se detuvo en %1 (señal %2): la imagen está dañada o hecha para causar daño</translation>
    </message>
    <message>
        <location line="+28"/>
        <source>%1 is not a disk image Quorvane can read: there is no NTFS or FAT volume on it</source>
        <translation>%1 no es una imagen de disco que Quorvane pueda leer: no contiene ningún volumen NTFS ni FAT</translation>
    </message>
    <message>
        <location line="+42"/>
        <source>not a disk image Quorvane can read: %1</source>
        <translation>no es una imagen de disco que Quorvane pueda leer: %1</translation>
    </message>
    <message>
        <location line="-33"/>
        <source>no Windows user folder on any partition of %1</source>
        <translation>no hay ninguna carpeta de usuario de Windows en ninguna partición de %1</translation>
    </message>
    <message>
        <location line="+46"/>
        <source>%1 (partition %2)</source>
        <translation>%1 (partición %2)</translation>
    </message>
    <message>
        <location line="+19"/>
        <source>%1 holds Messenger data of more than one Windows user: %2</source>
        <translation>%1 contiene datos de Messenger de más de un usuario de Windows: %2</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>%1 has no Windows user named %2 there (users found: %3)</source>
        <translation>%1 no tiene ningún usuario de Windows llamado %2 (usuarios encontrados: %3)</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>no Windows user on %1 has Messenger data (users found: %2)</source>
        <translation>ningún usuario de Windows de %1 tiene datos de Messenger (usuarios encontrados: %2)</translation>
    </message>
    <message>
        <location line="+54"/>
        <source>the Windows user %1 could not be read from %2: %3</source>
        <translation>no se pudo leer el usuario de Windows %1 de %2: %3</translation>
    </message>
    <message>
        <location line="+12"/>
        <source>the Windows user %1 on %2 has no data protection keys or Messenger folders</source>
        <translation>el usuario de Windows %1 de %2 no tiene claves de protección de datos ni carpetas de Messenger</translation>
    </message>
    <message>
        <location filename="../src/export/ExportManifest.cpp" line="+144"/>
        <source>The export manifest is damaged (%1).</source>
        <translation>El manifiesto de la exportación está dañado (%1).</translation>
    </message>
    <message>
        <location line="+148"/>
        <source>This is not an export manifest of Quorvane.</source>
        <translation>Esto no es un manifiesto de exportación de Quorvane.</translation>
    </message>
    <message>
        <location line="+18"/>
        <source>The export manifest is of version %1, which this version of Quorvane does not read.</source>
        <translation>El manifiesto de la exportación es de la versión %1, que esta versión de Quorvane no lee.</translation>
    </message>
    <message>
        <location filename="../src/export/ExportOperation.cpp" line="-149"/>
        <location filename="../src/export/MovieRenderer.cpp" line="+27"/>
        <source>Cancelled.</source>
        <translation>Cancelado.</translation>
    </message>
    <message>
        <location line="+140"/>
        <source>its cabinet holds no Flash movie</source>
        <translation>su archivo cabinet no contiene ninguna película Flash</translation>
    </message>
    <message>
        <location line="+40"/>
        <location line="+85"/>
        <source>its movie cannot be rendered: %1</source>
        <translation>no se puede renderizar su película: %1</translation>
    </message>
    <message>
        <location line="-56"/>
        <source>its sound cannot be read: %1</source>
        <translation>no se puede leer su sonido: %1</translation>
    </message>
    <message>
        <location line="+44"/>
        <source>the Flash player drew nothing of it</source>
        <translation>el reproductor de Flash no dibujó nada de él</translation>
    </message>
    <message>
        <location line="+251"/>
        <source>the gallery in %1 could not be written: %2</source>
        <translation>no se pudo escribir la galería de %1: %2</translation>
    </message>
    <message>
        <location filename="../src/export/GifEncoder.cpp" line="+62"/>
        <source>the GIF could not be encoded: %1</source>
        <translation>no se pudo codificar el GIF: %1</translation>
    </message>
    <message>
        <location filename="../src/export/MovieRenderer.cpp" line="+4"/>
        <source>the movie renderer did not start: %1</source>
        <translation>el renderizador de películas no se inició: %1</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>the movie renderer stopped responding</source>
        <translation>el renderizador de películas dejó de responder</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>the movie renderer stopped unexpectedly</source>
        <translation>el renderizador de películas se detuvo inesperadamente</translation>
    </message>
    <message>
        <location line="+43"/>
        <source>the Flash player refused it: %1</source>
        <translation>el reproductor de Flash lo rechazó: %1</translation>
    </message>
    <message>
        <location line="+35"/>
        <source>the movie cannot be read</source>
        <translation>no se puede leer la película</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>this movie cannot be played</source>
        <translation>esta película no se puede reproducir</translation>
    </message>
    <message>
        <location line="+2"/>
        <location line="+26"/>
        <source>the Flash player stopped on this movie</source>
        <translation>el reproductor de Flash se detuvo en esta película</translation>
    </message>
    <message>
        <location line="-23"/>
        <source>the Flash player is missing from this installation</source>
        <translation>falta el reproductor de Flash en esta instalación</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>it drew nothing</source>
        <translation>no dibujó nada</translation>
    </message>
    <message>
        <location line="+57"/>
        <source>the movie renderer is not installed (it needs Qt WebEngine)</source>
        <translation>el renderizador de películas no está instalado (necesita Qt WebEngine)</translation>
    </message>
    <message>
        <location line="+30"/>
        <source>the movie renderer wrote something else than frames</source>
        <translation>el renderizador de películas escribió algo que no son fotogramas</translation>
    </message>
    <message>
        <location filename="../src/export/MovieSound.cpp" line="+461"/>
        <source>the Flash movie&apos;s sound would last more than %1 minutes</source>
        <translation>el sonido de la película Flash duraría más de %1 minutos</translation>
    </message>
    <message>
        <location line="+8"/>
        <source>the Flash movie starts more than %1 sounds</source>
        <translation>la película Flash inicia más de %1 sonidos</translation>
    </message>
    <message>
        <location line="+7"/>
        <source>making the Flash movie&apos;s sound track was cancelled</source>
        <translation>se canceló la creación de la pista de sonido de la película Flash</translation>
    </message>
    <message>
        <location filename="../src/export/RenderWriter.cpp" line="+25"/>
        <source>the render was cancelled</source>
        <translation>se canceló la renderización</translation>
    </message>
    <message>
        <location line="+34"/>
        <source>a movie of %1 x %2 pixels is not rendered (at most %3 x %3)</source>
        <translation>no se renderiza una película de %1 x %2 píxeles (como máximo %3 x %3)</translation>
    </message>
    <message>
        <location line="+8"/>
        <source>a movie of %1/%2 frames a second is not rendered (at most %3)</source>
        <translation>no se renderiza una película de %1/%2 fotogramas por segundo (como máximo %3)</translation>
    </message>
    <message>
        <location line="+8"/>
        <source>sound of %1 samples a second cannot be encoded</source>
        <translation>no se puede codificar un sonido de %1 muestras por segundo</translation>
    </message>
    <message>
        <location line="+67"/>
        <source>the render is already finished</source>
        <translation>la renderización ya está terminada</translation>
    </message>
    <message>
        <location line="+13"/>
        <source>a frame of %1 x %2 pixels was given for a render of %3 x %4</source>
        <translation>se entregó un fotograma de %1 x %2 píxeles para una renderización de %3 x %4</translation>
    </message>
    <message>
        <location line="+8"/>
        <source>the movie runs longer than %1 seconds, which is more than a render is made of</source>
        <translation>la película dura más de %1 segundos, más de lo que abarca una renderización</translation>
    </message>
    <message>
        <location line="+13"/>
        <source>the first frame could not be saved as a PNG: %1</source>
        <translation>no se pudo guardar el primer fotograma como PNG: %1</translation>
    </message>
    <message>
        <location line="+48"/>
        <source>the movie gave no frame to render</source>
        <translation>la película no dio ningún fotograma que renderizar</translation>
    </message>
    <message>
        <location filename="../src/export/SwfTags.cpp" line="+22"/>
        <source>the Flash movie is cut short</source>
        <translation>la película Flash está truncada</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>the Flash movie&apos;s compressed data is damaged</source>
        <translation>los datos comprimidos de la película Flash están dañados</translation>
    </message>
    <message>
        <location line="+153"/>
        <source>the file is not a Flash movie</source>
        <translation>el archivo no es una película Flash</translation>
    </message>
    <message>
        <location line="+8"/>
        <source>the Flash movie says it holds %1 bytes, more than the %2 MiB this program reads</source>
        <translation>la película Flash indica que contiene %1 bytes, más de los %2 MiB que lee este programa</translation>
    </message>
    <message>
        <location line="+7"/>
        <source>the Flash movie&apos;s header is damaged</source>
        <translation>la cabecera de la película Flash está dañada</translation>
    </message>
    <message>
        <location line="+30"/>
        <source>the Flash movie&apos;s stage of %1 by %2 pixels cannot be shown</source>
        <translation>no se puede mostrar el escenario de %1 por %2 píxeles de la película Flash</translation>
    </message>
    <message>
        <location line="+30"/>
        <source>the Flash movie is damaged: its tag %1 runs past its end</source>
        <translation>la película Flash está dañada: su etiqueta %1 va más allá del final de la película</translation>
    </message>
    <message>
        <location filename="../src/export/WebmEncoder.cpp" line="+64"/>
        <location line="+44"/>
        <source>the video could not be encoded: %1</source>
        <translation>no se pudo codificar el vídeo: %1</translation>
    </message>
    <message>
        <location line="-34"/>
        <location line="+103"/>
        <source>the video&apos;s sound could not be encoded: %1</source>
        <translation>no se pudo codificar el sonido del vídeo: %1</translation>
    </message>
    <message>
        <location filename="../src/export/WebpAnimationEncoder.cpp" line="+15"/>
        <source>the animation could not be encoded: %1</source>
        <translation>no se pudo codificar la animación: %1</translation>
    </message>
</context>
<context>
    <name>quorvane::Words</name>
    <message>
        <location filename="../src/app/Words.cpp" line="+10"/>
        <source>Congratulation! Backup finished successfully.</source>
        <translation>¡Enhorabuena! La copia de seguridad ha finalizado correctamente.</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>Please list and select the items to backup.</source>
        <translation>Liste y seleccione los elementos que desea copiar.</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>Please enter an valid MSN account.</source>
        <translation>Escriba una cuenta de MSN válida.</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>Without the password, this command still copies the pictures and cabinets found there:

quorvane-cli rescue --windows-profile &quot;%1&quot; --to FOLDER</source>
        <translation>Sin la contraseña, este comando aún copia las imágenes y los archivos CAB que hay allí:

quorvane-cli rescue --windows-profile &quot;%1&quot; --to FOLDER</translation>
    </message>
    <message>
        <location line="+8"/>
        <source>Without the password, this command still copies the pictures and cabinets found there:

quorvane-cli rescue --disk-image &quot;%1&quot; --to FOLDER</source>
        <translation>Sin la contraseña, esta orden aún copia las imágenes y los archivos cabinet que encuentre allí:

quorvane-cli rescue --disk-image &quot;%1&quot; --to FOLDER</translation>
    </message>
</context>
<context>
    <name>quorvane::cli</name>
    <message>
        <location filename="../src/cli/AccountAccess.cpp" line="+24"/>
        <source>the account&apos;s sign-in name, typed exactly as at sign-in (upper and lower case count)</source>
        <translation>el nombre de inicio de sesión de la cuenta, escrito exactamente como al iniciar sesión (se distinguen mayúsculas y minúsculas)</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>the Wine prefix Messenger runs in (default: $WINEPREFIX, else ~/.wine)</source>
        <translation>el prefijo de Wine en el que se ejecuta Messenger (predeterminado: $WINEPREFIX o, si no está definida, ~/.wine)</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>the Wine user Messenger ran as (default: $USER); its name is part of the key that protects the catalogues</source>
        <translation>el usuario de Wine con el que se ejecutó Messenger (predeterminado: $USER); su nombre forma parte de la clave que protege los catálogos</translation>
    </message>
    <message>
        <location line="+15"/>
        <location filename="../src/cli/BackupCommand.cpp" line="+110"/>
        <location filename="../src/cli/DemoCommand.cpp" line="+21"/>
        <location filename="../src/cli/DiskImageAccess.cpp" line="+64"/>
        <location filename="../src/cli/ExportCommand.cpp" line="+87"/>
        <location filename="../src/cli/RescueCommand.cpp" line="+34"/>
        <location filename="../src/cli/UnprotectCommand.cpp" line="+73"/>
        <source>--%1 must not be empty</source>
        <translation>--%1 no puede estar vacío</translation>
    </message>
    <message>
        <location filename="../src/app/ListingWords.cpp" line="+24"/>
        <source>%1 does not exist</source>
        <translation>%1 no existe</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>%1 cannot be read: %2</source>
        <translation>no se puede leer %1: %2</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>%1 is empty</source>
        <translation>%1 está vacío</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>%1 is damaged: it is not a protected file Messenger could have written (truncated or changed)</source>
        <translation>%1 está dañado: no es un archivo protegido que Messenger pudiera haber escrito (está truncado o modificado)</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>%1 was protected with a master key that is not in %2</source>
        <translation>%1 se protegió con una clave maestra que no está en %2</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>the password does not unlock the Windows profile of %1</source>
        <translation>la contraseña no desbloquea el perfil de Windows de %1</translation>
    </message>
    <message>
        <location line="+9"/>
        <source>%1 could not be unprotected with the passport &quot;%2&quot;: it was protected for another passport, or changed</source>
        <translation>no se pudo desproteger %1 con el Passport &quot;%2&quot;: se protegió para otro Passport, o se modificó</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>%1 could not be unprotected with the passport &quot;%2&quot; as the Wine user &quot;%3&quot;</source>
        <translation>no se pudo desproteger %1 con el Passport &quot;%2&quot; como el usuario de Wine &quot;%3&quot;</translation>
    </message>
    <message>
        <location line="+10"/>
        <source>the %1 of &quot;%2&quot; cannot be listed: %3.</source>
        <translation>no se pueden listar los elementos de tipo %1 de la cuenta &quot;%2&quot;: %3.</translation>
    </message>
    <message>
        <location line="+8"/>
        <source>The passport must be typed exactly as at sign-in, with the same upper and lower case, and Messenger must have run as the Wine user &quot;%1&quot; (see --wine-user).</source>
        <translation>El Passport debe escribirse exactamente como al iniciar sesión, con las mismas mayúsculas y minúsculas, y Messenger debe haberse ejecutado como el usuario de Wine &quot;%1&quot; (vea --wine-user).</translation>
    </message>
    <message>
        <location line="+20"/>
        <source>Quorvane&apos;s own folder %1 cannot be used: %2.</source>
        <translation>no se puede usar la carpeta propia de Quorvane %1: %2.</translation>
    </message>
    <message>
        <location line="+9"/>
        <source>there is no Messenger data (%1) for the passport &quot;%2&quot; at %3 (no map.dat there).</source>
        <translation>no hay datos de Messenger (%1) para el Passport &quot;%2&quot; en %3 (allí no hay ningún map.dat).</translation>
    </message>
    <message>
        <location line="+8"/>
        <source>Check the passport and that Messenger signed in with it as the Windows user of %1.</source>
        <translation>Compruebe el Passport y que Messenger haya iniciado sesión con él como el usuario de Windows de %1.</translation>
    </message>
    <message>
        <location line="+7"/>
        <source>The folder %1 does not exist: check --wine-prefix and --wine-user.</source>
        <translation>La carpeta %1 no existe: compruebe --wine-prefix y --wine-user.</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>Check the passport and that Messenger signed in with it in the Wine prefix %1 as the Wine user &quot;%2&quot;.</source>
        <translation>Compruebe el Passport y que Messenger haya iniciado sesión con él en el prefijo de Wine %1 como el usuario de Wine &quot;%2&quot;.</translation>
    </message>
    <message>
        <location line="+13"/>
        <source>%1 names no catalogue file in %2.</source>
        <translation>%1 no nombra ningún archivo de catálogo en %2.</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>the %1 cannot be listed by this kind of list.</source>
        <translation>los elementos de tipo %1 no se pueden listar con esta clase de lista.</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>the %1 could not be listed.</source>
        <translation>no se pudieron listar los elementos de tipo %1.</translation>
    </message>
    <message numerus="yes">
        <location line="+16"/>
        <source>%n whose file is missing or not a regular file</source>
        <translation>
            <numerusform>%n cuyo archivo falta o no es un archivo normal</numerusform>
            <numerusform>%n cuyos archivos faltan o no son archivos normales</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <location line="+4"/>
        <source>%n without a picture that can be shown</source>
        <translation>
            <numerusform>%n sin ninguna imagen que se pueda mostrar</numerusform>
            <numerusform>%n sin ninguna imagen que se pueda mostrar</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <location line="+6"/>
        <source>%n whose Location is not a plain file name (unsafe)</source>
        <translation>
            <numerusform>%n cuyo campo Location no es un simple nombre de archivo (inseguro)</numerusform>
            <numerusform>%n cuyo campo Location no es un simple nombre de archivo (inseguros)</numerusform>
        </translation>
    </message>
    <message>
        <location line="+8"/>
        <source>, </source>
        <extracomment>Between the reasons in the list of why catalogue objects were left out.</extracomment>
        <translation>, </translation>
    </message>
    <message numerus="yes">
        <location line="+5"/>
        <source>%n of %n catalogue object was left out: %1.</source>
        <translation>
            <numerusform>se omitió %n de %n objeto del catálogo: %1.</numerusform>
            <numerusform>se omitieron %n de %n objetos del catálogo: %1.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <location line="+5"/>
        <source>%n of %1 catalogue objects was left out: %2.</source>
        <translation>
            <numerusform>se omitió %n de %1 objetos del catálogo: %2.</numerusform>
            <numerusform>se omitieron %n de %1 objetos del catálogo: %2.</numerusform>
        </translation>
    </message>
    <message>
        <location filename="../src/cli/AccountAccess.cpp" line="+15"/>
        <source>another Quorvane is working on the account &quot;%1&quot;; try again when it has finished.</source>
        <translation>otro Quorvane está trabajando con la cuenta &quot;%1&quot;; vuelva a intentarlo cuando haya terminado.</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>Quorvane&apos;s own folder cannot be used: %1.</source>
        <translation>no se puede usar la carpeta propia de Quorvane: %1.</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>interrupted while waiting for another Quorvane to finish with the account &quot;%1&quot;.</source>
        <translation>interrumpido mientras se esperaba a que otro Quorvane terminara con la cuenta &quot;%1&quot;.</translation>
    </message>
    <message>
        <location filename="../src/cli/ItemChoice.cpp" line="+38"/>
        <source>--items takes item numbers separated by commas (&quot;0,2,5&quot;), not &quot;%1&quot;</source>
        <translation>--items admite números de elemento separados por comas (&quot;0,2,5&quot;), no &quot;%1&quot;</translation>
    </message>
    <message>
        <location line="+9"/>
        <source>--items: there is no item %1</source>
        <translation>--items: no existe el elemento %1</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>--items names item %1 twice</source>
        <translation>--items nombra dos veces el elemento %1</translation>
    </message>
    <message>
        <location line="+15"/>
        <source>--all and --items cannot be given together</source>
        <translation>--all y --items no se pueden indicar a la vez</translation>
    </message>
    <message>
        <location line="+27"/>
        <source>--items names item %1, which is not in the listing (items 0 to %2; see &quot;%3&quot;)</source>
        <translation>--items nombra el elemento %1, que no está en el listado (elementos del 0 al %2; vea &quot;%3&quot;)</translation>
    </message>
    <message>
        <location filename="../src/cli/BackupCommand.cpp" line="+8"/>
        <source>Choose them with --all or --items (numbers as &quot;%1&quot; shows them).</source>
        <translation>Elíjalos con --all o --items (con los números que muestra &quot;%1&quot;).</translation>
    </message>
    <message numerus="yes">
        <location line="+29"/>
        <source>interrupted; %1 of %n items were written.</source>
        <translation>
            <numerusform>interrumpido; se escribieron %1 de %n elemento.</numerusform>
            <numerusform>interrumpido; se escribieron %1 de %n elementos.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <location line="+7"/>
        <source>%1 of %n items could not be written.</source>
        <translation>
            <numerusform>no se pudo escribir %1 de %n elemento.</numerusform>
            <numerusform>no se pudieron escribir %1 de %n elementos.</numerusform>
        </translation>
    </message>
    <message>
        <location line="+7"/>
        <location filename="../src/cli/ExportCommand.cpp" line="+86"/>
        <source>cannot write the outcome to the standard output</source>
        <translation>no se puede escribir el resultado en la salida estándar</translation>
    </message>
    <message>
        <location line="+16"/>
        <source>Back up items of one content type, as Backup Now does.</source>
        <translation>Copiar elementos de un tipo de contenido, como hace Copiar ahora.</translation>
    </message>
    <message>
        <location line="+8"/>
        <source>the backup folder; the files go into a subfolder per content type</source>
        <translation>la carpeta de copia; los archivos van a una subcarpeta por tipo de contenido</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>back up every listed item, in list order</source>
        <translation>copiar todos los elementos listados, en el orden de la lista</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>back up these items, in this order (numbers as &quot;quorvane-cli list&quot; shows them)</source>
        <translation>copiar estos elementos, en este orden (con los números que muestra &quot;quorvane-cli list&quot;)</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>Content types (as in &quot;list&quot;) and the subfolders of the backup folder:</source>
        <translation>Tipos de contenido (como en &quot;list&quot;) y subcarpetas de la carpeta de copia:</translation>
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
        <translation>Primero se listan los elementos, exactamente como los lista
&quot;quorvane-cli list&quot;. Cada guiño, imagen dinámica y fondo dinámico se convierte
en un paquete .msn sellado que lleva su nombre; los emoticonos personalizados
elegidos van juntos en un solo paquete .msn con fecha; los fondos normales y las
imágenes para mostrar se copian tal cual. Un archivo del mismo nombre de una
copia anterior se reemplaza, pero solo por uno nuevo completo: cada archivo se
escribe con un nombre temporal oculto y luego se renombra a su nombre final.
</translation>
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
        <translation>Una línea por elemento elegido en la salida estándar, con los campos separados
por tabuladores: número de elemento, nombre para mostrar y luego &quot;written&quot; y el
archivo escrito, o &quot;failed&quot; y el motivo (con escapes como en &quot;list&quot;). Si se
escribieron todos los elementos, la última línea es
&quot;%1&quot;; si no, la
salida de error estándar indica cuántos no se pudieron escribir.
</translation>
    </message>
    <message>
        <location line="+9"/>
        <source>An interrupt (Ctrl-C, SIGTERM) stops the backup after the item it is on; the
items not reached are reported as not written.
</source>
        <translation>Una interrupción (Ctrl-C, SIGTERM) detiene la copia después del elemento en
curso; los elementos a los que no se llegó se indican como no escritos.
</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>Exit status: 0 when every chosen item was written; 1 when some could not be,
nothing can be listed or none is chosen, or the passport cannot be an account;
2 for a wrong command line (also an item number that is not in the listing);
130 or 143 after an interrupt.
</source>
        <translation>Estado de salida: 0 si se escribieron todos los elementos elegidos; 1 si alguno
no se pudo escribir, no se puede listar nada o no se eligió ninguno, o si el
Passport no puede ser una cuenta; 2 si la línea de comandos es incorrecta
(también un número de elemento que no está en el listado); 130 o 143 tras una
interrupción.
</translation>
    </message>
    <message>
        <location filename="../src/cli/CatalogueCommand.cpp" line="+46"/>
        <source>nothing could be listed.</source>
        <translation>no se pudo listar nada.</translation>
    </message>
    <message>
        <location line="+10"/>
        <location filename="../src/cli/ListCommand.cpp" line="+47"/>
        <source>cannot write the listing to the standard output</source>
        <translation>no se puede escribir el listado en la salida estándar</translation>
    </message>
    <message>
        <location line="+46"/>
        <source>List the objects of one content type that Messenger keeps for an account.</source>
        <translation>Listar los objetos de un tipo de contenido que Messenger guarda para una cuenta.</translation>
    </message>
    <message>
        <location line="+8"/>
        <location filename="../src/cli/ListCommand.cpp" line="+22"/>
        <source>Content types:</source>
        <translation>Tipos de contenido:</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>One line per object on the standard output, fields separated by tabs: index (from 0),
file name in the object folder, tag (content id of packaged objects, key sequence of
emoticons, else empty) and display name, in UTF-8. A backslash, tab, line break or
other control character in a field is written as a backslash escape.
</source>
        <translation>Una línea por objeto en la salida estándar, con los campos separados por
tabuladores: índice (desde 0), nombre de archivo en la carpeta de objetos,
etiqueta (identificador de contenido de los objetos empaquetados, secuencia de
teclas de los emoticonos o, si no, vacía) y nombre para mostrar, en UTF-8. Una
barra invertida, un tabulador, un salto de línea u otro carácter de control en
un campo se escribe como secuencia de escape con barra invertida.
</translation>
    </message>
    <message>
        <location line="+9"/>
        <source>Exit status: 0 when the catalogue was read (also when it lists nothing), 1 when
nothing could be listed (the reason goes to the standard error), 2 for a wrong
command line.
</source>
        <translation>Estado de salida: 0 si se leyó el catálogo (también si no lista nada), 1 si no
se pudo listar nada (el motivo va a la salida de error estándar), 2 si la línea
de comandos es incorrecta.
</translation>
    </message>
    <message>
        <location filename="../src/cli/CliOptions.cpp" line="+59"/>
        <source>show this help and exit</source>
        <translation>mostrar esta ayuda y salir</translation>
    </message>
    <message>
        <location line="+112"/>
        <source>missing --%1</source>
        <translation>falta --%1</translation>
    </message>
    <message>
        <location line="-46"/>
        <source>unexpected argument &quot;%1&quot;</source>
        <translation>argumento inesperado &quot;%1&quot;</translation>
    </message>
    <message>
        <location line="+11"/>
        <location line="+8"/>
        <source>unknown option &quot;%1&quot;</source>
        <translation>opción desconocida &quot;%1&quot;</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>--%1 is given more than once</source>
        <translation>--%1 se indica más de una vez</translation>
    </message>
    <message>
        <location line="+7"/>
        <source>--%1 takes no value</source>
        <translation>--%1 no admite ningún valor</translation>
    </message>
    <message>
        <location line="+7"/>
        <source>--%1 needs a value (%2)</source>
        <translation>--%1 necesita un valor (%2)</translation>
    </message>
    <message>
        <location line="+15"/>
        <source>Usage: %1 %2</source>
        <translation>Uso: %1 %2</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Options:</source>
        <translation>Opciones:</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>Run &quot;%1 %2 --help&quot; for more.</source>
        <translation>Ejecute &quot;%1 %2 --help&quot; para más información.</translation>
    </message>
    <message>
        <location line="+13"/>
        <source>Usage: %1 COMMAND [OPTIONS]
       %1 --help | --version</source>
        <extracomment>COMMAND and OPTIONS are the manual&apos;s names and stay as they are. The spaces before the second %1 put the program&apos;s name under the first one&apos;s.</extracomment>
        <translation>Uso: %1 COMMAND [OPTIONS]
     %1 --help | --version</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Commands:</source>
        <translation>Comandos:</translation>
    </message>
    <message>
        <location line="+10"/>
        <source>Run &quot;%1 COMMAND --help&quot; for the options of a command.</source>
        <extracomment>COMMAND is the manual&apos;s name and stays as it is.</extracomment>
        <translation>Ejecute &quot;%1 COMMAND --help&quot; para ver las opciones de un comando.</translation>
    </message>
    <message>
        <location line="+13"/>
        <source>no command given</source>
        <translation>no se indicó ningún comando</translation>
    </message>
    <message>
        <location line="+18"/>
        <source>unknown command &quot;%1&quot;</source>
        <translation>comando desconocido &quot;%1&quot;</translation>
    </message>
    <message>
        <location filename="../src/cli/ContentListing.cpp" line="+16"/>
        <source>the content type: a number 0 to 5 or its name (see below)</source>
        <translation>el tipo de contenido: un número del 0 al 5 o su nombre (vea más abajo)</translation>
    </message>
    <message>
        <location line="+25"/>
        <source>unknown --type &quot;%1&quot;: use a number 0 to 5 or one of %2</source>
        <translation>valor de --type desconocido &quot;%1&quot;: use un número del 0 al 5 o uno de estos: %2</translation>
    </message>
    <message>
        <location line="+28"/>
        <source>Qt cannot read PNG, JPEG and GIF pictures here (its image format plugins are missing), so no %1 can be shown.</source>
        <translation>Qt no puede leer aquí imágenes PNG, JPEG ni GIF (faltan sus complementos de formatos de imagen), así que no se puede mostrar ningún elemento de tipo %1.</translation>
    </message>
    <message>
        <location filename="../src/app/ListingWords.cpp" line="+10"/>
        <source>interrupted; nothing was listed.</source>
        <translation>interrumpido; no se listó nada.</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>the %1 cannot be listed: %2.</source>
        <translation>no se pueden listar los elementos de tipo %1: %2.</translation>
    </message>
    <message>
        <location line="+7"/>
        <source>there is nothing to list among the %1 of &quot;%2&quot;: the catalogue names no object, or none whose file holds a picture that can be shown.</source>
        <translation>no hay nada que listar entre los elementos de tipo %1 de la cuenta &quot;%2&quot;: el catálogo no nombra ningún objeto, o ninguno cuyo archivo contenga una imagen que se pueda mostrar.</translation>
    </message>
    <message>
        <location filename="../src/cli/DemoCommand.cpp" line="+4"/>
        <source>no Wine user name is known ($USER is not set); give one with --wine-user.</source>
        <translation>no se conoce ningún nombre de usuario de Wine ($USER no está definida); indique uno con --wine-user.</translation>
    </message>
    <message>
        <location line="+11"/>
        <source>the demo account cannot be written: %1.</source>
        <translation>no se puede escribir la cuenta de demostración: %1.</translation>
    </message>
    <message>
        <location line="+18"/>
        <source>cannot write to the standard output</source>
        <translation>no se puede escribir en la salida estándar</translation>
    </message>
    <message>
        <location line="+33"/>
        <source>Write a demo Messenger account to try Quorvane without one.</source>
        <translation>Escribir una cuenta de demostración de Messenger para probar Quorvane sin tener una.</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>the Wine user to write the account for (default: $USER); &quot;list&quot; and &quot;backup&quot; must then be given the same user</source>
        <translation>el usuario de Wine para el que se escribe la cuenta (predeterminado: $USER); después hay que indicar el mismo usuario a &quot;list&quot; y &quot;backup&quot;</translation>
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
        <translation>La cuenta de demostración, %1, se escribe en un prefijo
de Wine propio de Quorvane, $XDG_DATA_HOME/quorvane/demo-wine (o, si no,
~/.local/share/quorvane/demo-wine), exactamente como Messenger guarda una
cuenta: catálogos protegidos, archivos CAB con una imagen y una película Flash,
e imágenes. Contiene todos los tipos de contenido: 6 guiños, 4 imágenes
dinámicas, 3 fondos dinámicos, 8 emoticonos personalizados, 4 fondos y 4
imágenes para mostrar. Una cuenta de demostración completa se deja tal cual; lo
que falta o está dañado se vuelve a escribir. No se toca nada fuera del prefijo
de la demostración y de la carpeta temporal de Quorvane.
</translation>
    </message>
    <message>
        <location line="+12"/>
        <source>Four lines on the standard output, in UTF-8: the Wine prefix, the Wine user,
the passport, and a &quot;list&quot; command line for the demo&apos;s Winks, ready to paste.
</source>
        <translation>Cuatro líneas en la salida estándar, en UTF-8: el prefijo de Wine, el usuario de
Wine, el Passport y una línea de comandos &quot;list&quot; para los guiños de la
demostración, lista para pegar.
</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>Exit status: 0 when the demo account is there, 1 when it cannot be written
(the reason goes to the standard error), 2 for a wrong command line.
</source>
        <translation>Estado de salida: 0 si la cuenta de demostración está disponible, 1 si no se
puede escribir (el motivo va a la salida de error estándar), 2 si la línea de
comandos es incorrecta.
</translation>
    </message>
    <message>
        <location filename="../src/cli/ListCommand.cpp" line="-8"/>
        <source>Show the items of one content type that List shows, ready for backup.</source>
        <translation>Mostrar los elementos de un tipo de contenido que muestra Listar, listos para copiar.</translation>
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
        <translation>A diferencia de &quot;catalogue&quot;, este comando examina los objetos: los guiños, las
imágenes dinámicas y los fondos dinámicos se expanden en una carpeta temporal
propia de Quorvane (en $XDG_CACHE_HOME/quorvane, que se elimina después; las
carpetas de Messenger solo se leen) y deben contener una imagen PNG, JPEG o GIF;
los demás tipos deben ser una imagen por sí mismos. Los objetos sin imagen se
omiten, y la salida de error estándar indica cuántos y por qué. Si la
herramienta de archivos CAB no puede hacer su trabajo (falta o fue terminada, o
no se puede escribir en la carpeta temporal), no se lista nada y la salida de
error estándar indica por qué. Un nombre para mostrar de menos de dos
caracteres se sustituye por el nombre de la imagen del objeto.
</translation>
    </message>
    <message>
        <location line="+13"/>
        <source>One line per item on the standard output, fields separated by tabs: item number
(what &quot;backup --items&quot; takes), display name and file name in the object folder,
in UTF-8. A backslash, tab, line break or other control character in a field is
written as a backslash escape.
</source>
        <translation>Una línea por elemento en la salida estándar, con los campos separados por
tabuladores: número de elemento (el que admite &quot;backup --items&quot;), nombre para
mostrar y nombre de archivo en la carpeta de objetos, en UTF-8. Una barra
invertida, un tabulador, un salto de línea u otro carácter de control en un
campo se escribe como secuencia de escape con barra invertida.
</translation>
    </message>
    <message>
        <location line="+8"/>
        <source>Exit status: 0 when at least one item was listed, 1 when nothing can be listed
or the passport cannot be an account (the reason goes to the standard error), 2
for a wrong command line, 130 or 143 after an interrupt (SIGINT, SIGTERM).
</source>
        <translation>Estado de salida: 0 si se listó al menos un elemento, 1 si no se puede listar
nada o el Passport no puede ser una cuenta (el motivo va a la salida de error
estándar), 2 si la línea de comandos es incorrecta, 130 o 143 tras una
interrupción (SIGINT, SIGTERM).
</translation>
    </message>
    <message>
        <location filename="../src/cli/VerifyCommand.cpp" line="+24"/>
        <source>name at least one pack to verify</source>
        <translation>indique al menos un paquete que verificar</translation>
    </message>
    <message>
        <location filename="../src/cli/RescueCommand.cpp" line="+17"/>
        <location filename="../src/cli/VerifyCommand.cpp" line="+9"/>
        <source>Quorvane&apos;s own folder cannot be used: %1</source>
        <translation>no se puede usar la carpeta propia de Quorvane: %1</translation>
    </message>
    <message>
        <location line="+35"/>
        <source>cabinets keep their own names, as none could be looked into: %1</source>
        <translation>los archivos CAB conservan sus propios nombres, ya que no se pudo examinar ninguno: %1</translation>
    </message>
    <message numerus="yes">
        <location line="+9"/>
        <source>%1 of %n files could not be written.</source>
        <translation>
            <numerusform>no se pudo escribir %1 de %n archivo.</numerusform>
            <numerusform>no se pudieron escribir %1 de %n archivos.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <location line="+6"/>
        <source>%n files rescued into %1.</source>
        <translation>
            <numerusform>%n archivo rescatado en %1.</numerusform>
            <numerusform>%n archivos rescatados en %1.</numerusform>
        </translation>
    </message>
    <message>
        <location line="+6"/>
        <source>cannot write the report to the standard output</source>
        <translation>no se puede escribir el informe en la salida estándar</translation>
    </message>
    <message>
        <location line="+18"/>
        <source>Copy Messenger&apos;s pictures and cabinets from a Windows user&apos;s folder without the password.</source>
        <translation>Copiar las imágenes y los archivos CAB de Messenger de la carpeta de un usuario de Windows sin la contraseña.</translation>
    </message>
    <message>
        <location line="+7"/>
        <source>the Windows user&apos;s folder (&quot;Documents and Settings/NAME&quot; or &quot;Users/NAME&quot; on an old disk)</source>
        <translation>la carpeta del usuario de Windows (&quot;Documents and Settings/NAME&quot; o &quot;Users/NAME&quot; en un disco antiguo)</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>the folder to copy into, outside the Windows user&apos;s folder; a subfolder per account and content type</source>
        <translation>la carpeta en la que copiar, fuera de la carpeta del usuario de Windows; una subcarpeta por cuenta y tipo de contenido</translation>
    </message>
    <message>
        <location line="+9"/>
        <source>Without the Windows password Messenger&apos;s catalogues cannot be read, and so no
backup can be made. This saves what can be saved without them: every regular
file in the account folders under &quot;Microsoft/MSN Messenger&quot; whose content is
a cabinet or a GIF, PNG, JPEG or BMP picture is copied to
DIR/&lt;account&gt;/&lt;folder as on the disk&gt;/&lt;name&gt;. Nothing else is copied (the
protected catalogues and map.dat files are not), links, FIFOs and devices are
passed over, and the user&apos;s folder is only read: DIR may not lie inside it, and
a Messenger folder that leads out of it through a link is not read. Messenger&apos;s
own folders (Winks3, UserTile...) are looked at first; at most 200000 entries
of one folder are.
</source>
        <translation>Sin la contraseña de Windows no se pueden leer los catálogos de Messenger, y por
tanto no se puede hacer ninguna copia de seguridad. Este comando guarda lo que
se puede guardar sin ellos: todo archivo normal de las carpetas de las cuentas
en &quot;Microsoft/MSN Messenger&quot; cuyo contenido sea un archivo CAB o una imagen GIF,
PNG, JPEG o BMP se copia en DIR/&lt;cuenta&gt;/&lt;carpeta como en el disco&gt;/&lt;nombre&gt;. No
se copia nada más (ni los catálogos protegidos ni los archivos map.dat), los
enlaces, FIFO y dispositivos se pasan por alto, y la carpeta del usuario solo se
lee: DIR no puede estar dentro de ella, y una carpeta de Messenger que sale de
ella por un enlace no se lee. Las carpetas propias de Messenger (Winks3,
UserTile...) se examinan primero; de cada carpeta se examinan como mucho 200000
entradas.
</translation>
    </message>
    <message>
        <location line="+33"/>
        <source>One line per file copied on the standard output, fields separated by tabs: the
file written, its kind (cabinet, gif, png, jpeg or bmp) and the file it was
copied from (escaped as in &quot;list&quot;). Files that cannot be read or written, and
folders not looked into, are named on the standard error and the rescue goes on;
the last line there says how many files were rescued. A rescue killed half-way
leaves hidden &quot;.quorvane-*.part&quot; files, which the next rescue into DIR removes.
</source>
        <translation>Una línea por archivo copiado en la salida estándar, con los campos separados
por tabuladores: el archivo escrito, su clase (cabinet, gif, png, jpeg o bmp) y
el archivo del que se copió (con escapes como en &quot;list&quot;). Los archivos que no se
pueden leer o escribir, y las carpetas que no se examinan, se nombran en la
salida de error estándar y el rescate continúa; la última línea de esa salida
indica cuántos archivos se rescataron. Un rescate interrumpido a medias deja
archivos ocultos &quot;.quorvane-*.part&quot;, que el siguiente rescate en DIR elimina.
</translation>
    </message>
    <message>
        <location line="+10"/>
        <source>Exit status: 0 when files were rescued and everything in the account folders
was looked at and copied; 1 when none was rescued, a file could not be read or
written, something was not looked at, or the folder cannot be read or DIR not
used; 2 for a wrong command line; 130 or 143 after an interrupt (SIGINT,
SIGTERM: the rescue stops after the file it is on, and the files copied until
then are reported).
</source>
        <translation>Estado de salida: 0 si se rescataron archivos y se examinó y copió todo lo que
hay en las carpetas de las cuentas; 1 si no se rescató ninguno, no se pudo leer
o escribir un archivo, algo quedó sin examinar, o no se puede leer la carpeta o
usar DIR; 2 si la línea de comandos es incorrecta; 130 o 143 tras una
interrupción (SIGINT, SIGTERM: el rescate se detiene tras el archivo en curso y
se informa de los archivos copiados hasta entonces).
</translation>
    </message>
    <message>
        <location line="-29"/>
        <source>Names come from the files themselves: a cabinet is named after the display name
in its content.xml where it has one (it is expanded in Quorvane&apos;s own folder,
under $XDG_CACHE_HOME), else a file keeps its name; the extension is made to
match the content. A cabinet is saved with &quot;.cab&quot;: it is an object as Messenger
installed it, not a .msn pack (a pack is sealed and carries the stamp that only
the catalogue holds), so Messenger cannot install it again, but any cabinet tool
opens it. Nothing is overwritten: a name already taken gets &quot; (2)&quot;, &quot; (3)&quot;...
Each file is written whole or not at all.
</source>
        <translation>Los nombres salen de los propios archivos: un archivo CAB recibe el nombre para
mostrar de su content.xml, si lo tiene (el archivo CAB se expande en la carpeta
propia de Quorvane, en $XDG_CACHE_HOME); si no, el archivo conserva su nombre;
la extensión se ajusta al contenido. Un archivo CAB se guarda con &quot;.cab&quot;: es un
objeto tal como lo instaló Messenger, no un paquete .msn (un paquete está
sellado y lleva la firma que solo contiene el catálogo), así que Messenger no
puede volver a instalarlo, pero cualquier herramienta de archivos CAB lo abre.
No se sobrescribe nada: a un nombre ya ocupado se le añade &quot; (2)&quot;, &quot; (3)&quot;...
Cada archivo se escribe entero o no se escribe.
</translation>
    </message>
    <message>
        <location line="-133"/>
        <source>give either --windows-profile or --disk-image</source>
        <translation>indique --windows-profile o --disk-image, uno de los dos</translation>
    </message>
    <message>
        <location line="+145"/>
        <source>Before the first file, DIR/RESCUE.txt gets a paragraph saying that the files
were copied by their content without the catalogue, from which folder and when,
so the folder is never taken for a backup.
</source>
        <translation>Antes del primer archivo, DIR/RESCUE.txt recibe un párrafo que dice que los
archivos se copiaron por su contenido sin el catálogo, desde qué carpeta y
cuándo, para que la carpeta nunca se tome por una copia de seguridad.
</translation>
    </message>
    <message>
        <location filename="../src/cli/VerifyCommand.cpp" line="+23"/>
        <source>cannot write the results to the standard output</source>
        <translation>no se pueden escribir los resultados en la salida estándar</translation>
    </message>
    <message numerus="yes">
        <location line="+9"/>
        <source>%1 of %n packs are not sound.</source>
        <translation>
            <numerusform>%1 de %n paquete no es correcto.</numerusform>
            <numerusform>%1 de %n paquetes no son correctos.</numerusform>
        </translation>
    </message>
    <message>
        <location line="+14"/>
        <source>Check .msn packs the way Messenger will read them.</source>
        <translation>Comprobar paquetes .msn tal como los leerá Messenger.</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>Each pack is checked on a copy in Quorvane&apos;s own folder (under
$XDG_CACHE_HOME): its seal is undone, the cabinet expanded and its content.xml
must be well-formed XML that names only files the pack holds, and the pack
must hold nothing else. The packs themselves are not changed.
</source>
        <translation>Cada paquete se comprueba sobre una copia en la carpeta propia de Quorvane (en
$XDG_CACHE_HOME): se le quita el sello, se expande el archivo CAB y su
content.xml debe ser XML bien formado que nombre solo archivos que contiene el
paquete, y el paquete no debe contener nada más. Los paquetes en sí no se
modifican.
</translation>
    </message>
    <message>
        <location line="+9"/>
        <source>One line per pack on the standard output, fields separated by tabs: &quot;ok&quot;, the
pack and the files it holds, or &quot;bad&quot;, the pack and the reason (escaped as in
&quot;list&quot;).
</source>
        <extracomment>&quot;ok&quot; and &quot;bad&quot; are the words the program prints; they stay as they are.</extracomment>
        <translation>Una línea por paquete en la salida estándar, con los campos separados por
tabuladores: &quot;ok&quot;, el paquete y los archivos que contiene, o &quot;bad&quot;, el paquete
y el motivo (con escapes como en &quot;list&quot;).
</translation>
    </message>
    <message>
        <location line="+7"/>
        <source>Exit status: 0 when every pack is sound, 1 when any is not, 2 for a wrong
command line.
</source>
        <translation>Estado de salida: 0 si todos los paquetes son correctos, 1 si alguno no lo es,
2 si la línea de comandos es incorrecta.
</translation>
    </message>
    <message>
        <location filename="../src/cli/UnprotectCommand.cpp" line="+6"/>
        <source>--entropy-hex takes hexadecimal digits in pairs</source>
        <translation>--entropy-hex admite dígitos hexadecimales por pares</translation>
    </message>
    <message>
        <location line="+8"/>
        <source>--print-masterkey takes a GUID (xxxxxxxx-xxxx-xxxx-xxxx-xxxxxxxxxxxx)</source>
        <translation>--print-masterkey admite un GUID (xxxxxxxx-xxxx-xxxx-xxxx-xxxxxxxxxxxx)</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>give either FILE or --print-masterkey GUID</source>
        <translation>indique FILE o --print-masterkey GUID (solo uno de los dos)</translation>
    </message>
    <message>
        <location line="-50"/>
        <source>%1 cannot be read: %2.</source>
        <translation>no se puede leer %1: %2.</translation>
    </message>
    <message>
        <location line="+13"/>
        <source>%1 uses an algorithm Windows data protection never used.</source>
        <translation>%1 usa un algoritmo que la protección de datos de Windows nunca usó.</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>%1 is damaged (it is not a whole Windows data protection blob).</source>
        <translation>%1 está dañado (no es un blob completo de protección de datos de Windows).</translation>
    </message>
    <message>
        <location line="+63"/>
        <source>%1 is damaged (its signature does not match).</source>
        <translation>%1 está dañado (su firma no coincide).</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>If it was protected with entropy, give that with --entropy-hex.</source>
        <translation>Si se protegió con entropía, indíquela con --entropy-hex.</translation>
    </message>
    <message>
        <location line="+19"/>
        <source>Decrypt one file protected by a Windows user, to check a password.</source>
        <translation>Descifrar un archivo protegido por un usuario de Windows, para comprobar una contraseña.</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>the user&apos;s master keys: .../Microsoft/Protect/SID</source>
        <translation>las claves maestras del usuario: .../Microsoft/Protect/SID</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>the user&apos;s SID, the name of that folder (S-1-5-21-...)</source>
        <translation>el SID del usuario, el nombre de esa carpeta (S-1-5-21-...)</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>the entropy the file was protected with, in hexadecimal</source>
        <translation>la entropía con la que se protegió el archivo, en hexadecimal</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>print that master key, unlocked, in hexadecimal instead</source>
        <translation>mostrar en su lugar esa clave maestra, desbloqueada, en hexadecimal</translation>
    </message>
    <message>
        <location line="+10"/>
        <source>Writes the plain bytes of FILE (a Windows data protection blob, or a Messenger
file holding one) to the standard output. The password is read from the
standard input with --password-stdin, else asked for on the terminal; it is
never taken from an argument and never written anywhere. Master keys made
under an earlier password are opened through the CREDHIST file beside DIR.
--nt-hash opens the keys of a domain account; those of a local account are
opened by its password, not by its NT hash.
</source>
        <translation>Escribe los bytes en claro de FILE (un blob de protección de datos de Windows, o
un archivo de Messenger que contenga uno) en la salida estándar. La contraseña
se lee de la entrada estándar con --password-stdin o, si no, se pide en el
terminal; nunca se toma de un argumento ni se escribe en ningún sitio. Las
claves maestras creadas con una contraseña anterior se abren mediante el archivo
CREDHIST que está junto a DIR. --nt-hash abre las claves de una cuenta de
dominio; las de una cuenta local se abren con su contraseña, no con su hash NT.
</translation>
    </message>
    <message>
        <location line="+11"/>
        <source>Exit status: 0 when it was decrypted, 1 for a wrong password, a missing or
damaged master key or a damaged file (the reason goes to the standard error),
2 for a wrong command line, 130 or 143 when SIGINT or SIGTERM stopped it.
</source>
        <translation>Estado de salida: 0 si se descifró, 1 si la contraseña es incorrecta, si falta
la clave maestra o está dañada, o si el archivo está dañado (el motivo va a la
salida de error estándar), 2 si la línea de comandos es incorrecta, 130 o 143
si SIGINT o SIGTERM lo detuvieron.
</translation>
    </message>
    <message>
        <location filename="../src/cli/WindowsAccess.cpp" line="+40"/>
        <source>the password on standard input is longer than %1 bytes</source>
        <translation>la contraseña de la entrada estándar tiene más de %1 bytes</translation>
    </message>
    <message>
        <location line="+10"/>
        <source>the password could not be read from standard input: %1</source>
        <translation>no se pudo leer la contraseña de la entrada estándar: %1</translation>
    </message>
    <message>
        <location line="+38"/>
        <source>read the Windows user&apos;s password from standard input (else it is asked for on the terminal)</source>
        <translation>leer la contraseña del usuario de Windows de la entrada estándar (si no, se pide en el terminal)</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>the NT hash of the Windows password (32 hexadecimal digits), in place of the password; it opens the keys of a domain account only (a local account&apos;s keys need its password)</source>
        <translation>el hash NT de la contraseña de Windows (32 dígitos hexadecimales), en lugar de la contraseña; solo abre las claves de una cuenta de dominio (las de una cuenta local necesitan su contraseña)</translation>
    </message>
    <message>
        <location line="+13"/>
        <source>read the account from a Windows user&apos;s folder (&quot;Documents and Settings/NAME&quot; or &quot;Users/NAME&quot; on an old disk) instead of the Wine prefix</source>
        <translation>leer la cuenta de la carpeta de un usuario de Windows (&quot;Documents and Settings/NAME&quot; o &quot;Users/NAME&quot; en un disco antiguo) en lugar del prefijo de Wine</translation>
    </message>
    <message>
        <location line="+18"/>
        <source>give either --password-stdin or --nt-hash</source>
        <translation>indique --password-stdin o --nt-hash, no ambos</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>--nt-hash takes 32 hexadecimal digits</source>
        <translation>--nt-hash admite 32 dígitos hexadecimales</translation>
    </message>
    <message>
        <location line="+11"/>
        <source>Windows password of %1: </source>
        <translation>Contraseña de Windows de %1: </translation>
    </message>
    <message>
        <location line="+12"/>
        <source>the Windows password is needed: give --password-stdin (or --nt-hash), or run on a terminal to be asked</source>
        <translation>se necesita la contraseña de Windows: indique --password-stdin (o --nt-hash), o ejecute en un terminal para que se le pida</translation>
    </message>
    <message>
        <location line="+21"/>
        <source>--password-stdin and --nt-hash go with --windows-profile</source>
        <translation>--password-stdin y --nt-hash solo se pueden usar con --windows-profile</translation>
    </message>
    <message>
        <location line="+7"/>
        <source>--windows-profile cannot be used with --wine-prefix or --wine-user</source>
        <translation>--windows-profile no se puede usar con --wine-prefix ni con --wine-user</translation>
    </message>
    <message>
        <location filename="../src/cli/DiskImageAccess.cpp" line="-34"/>
        <source>read the account from an old computer&apos;s disk image (raw, .001, VMDK, VHD, VHDX or E01), which is only read, instead of the Wine prefix</source>
        <translation>leer la cuenta de la imagen de disco de un ordenador antiguo (raw, .001, VMDK, VHD, VHDX o E01), que solo se lee, en lugar del prefijo de Wine</translation>
    </message>
    <message>
        <location line="+7"/>
        <source>with --disk-image: the Windows user to read, when more than one on the disk has Messenger data</source>
        <translation>con --disk-image: el usuario de Windows que se lee, cuando más de uno del disco tiene datos de Messenger</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>with --disk-image: the partition to read (from 1), when that user&apos;s name is on more than one</source>
        <translation>con --disk-image: la partición que se lee (desde 1), cuando el nombre de ese usuario está en más de una</translation>
    </message>
    <message>
        <location line="+14"/>
        <source>--windows-user and --partition go with --disk-image</source>
        <translation>--windows-user y --partition van con --disk-image</translation>
    </message>
    <message>
        <location line="+11"/>
        <source>--disk-image cannot be used with --%1</source>
        <translation>--disk-image no se puede usar con --%1</translation>
    </message>
    <message>
        <location line="+10"/>
        <source>--partition takes a partition&apos;s number, from 1</source>
        <translation>--partition lleva el número de una partición, desde 1</translation>
    </message>
    <message>
        <location line="+7"/>
        <source>Looking for the Windows users on %1...</source>
        <translation>Buscando los usuarios de Windows en %1...</translation>
    </message>
    <message>
        <location line="+23"/>
        <source>%1; choose one with --windows-user NAME (and --partition N when a name is on more than one)</source>
        <translation>%1; elija uno con --windows-user NOMBRE (y --partition N cuando un nombre está en más de una)</translation>
    </message>
    <message>
        <location filename="../src/cli/ExportCommand.cpp" line="-148"/>
        <source>--type and --all-types cannot be given together</source>
        <translation>--type y --all-types no se pueden indicar a la vez</translation>
    </message>
    <message>
        <location line="+7"/>
        <source>give --type or --all-types</source>
        <translation>indique --type o --all-types</translation>
    </message>
    <message>
        <location line="+13"/>
        <source>unknown --type &quot;%1&quot;: use a number 0 to 5 or a name</source>
        <translation>valor de --type desconocido &quot;%1&quot;: use un número del 0 al 5 o un nombre</translation>
    </message>
    <message>
        <location line="+32"/>
        <source>--items needs exactly one content type</source>
        <translation>--items necesita exactamente un tipo de contenido</translation>
    </message>
    <message>
        <location line="+44"/>
        <source>nothing to export.</source>
        <translation>no hay nada que exportar.</translation>
    </message>
    <message numerus="yes">
        <location line="+36"/>
        <source>interrupted; %1 of %n items were exported.</source>
        <translation>
            <numerusform>interrumpido; se exportaron %1 de %n elemento.</numerusform>
            <numerusform>interrumpido; se exportaron %1 de %n elementos.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <location line="+9"/>
        <source>%1 of %n items could not be exported whole.</source>
        <translation>
            <numerusform>no se pudo exportar completo %1 de %n elemento.</numerusform>
            <numerusform>no se pudieron exportar completos %1 de %n elementos.</numerusform>
        </translation>
    </message>
    <message>
        <location line="+22"/>
        <source>Save items as files any program opens, with videos of the movies and a gallery.</source>
        <translation>Guardar elementos como archivos que cualquier programa puede abrir, con vídeos de las películas y una galería.</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>the content types: numbers 0 to 5 or names (see below), separated by commas</source>
        <translation>los tipos de contenido: números del 0 al 5 o nombres (vea más abajo), separados por comas</translation>
    </message>
    <message>
        <location line="+8"/>
        <source>export every content type</source>
        <translation>exportar todos los tipos de contenido</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>the export folder; the files go into a subfolder per content type</source>
        <translation>la carpeta de exportación; los archivos van a una subcarpeta por tipo de contenido</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>export only these items of the one type (numbers as &quot;quorvane-cli list&quot; shows them); every listed item otherwise</source>
        <translation>exportar solo estos elementos del único tipo (con los números que muestra &quot;quorvane-cli list&quot;); si no se indica, todos los elementos listados</translation>
    </message>
    <message>
        <location line="+7"/>
        <source>Content types (and their subfolders):</source>
        <translation>Tipos de contenido (y sus subcarpetas):</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>The items are listed first, exactly as &quot;quorvane-cli list&quot; lists them. Each goes
into DIR/&lt;type&gt;/ under a name made from its display name: its original file as
it is (a movie&apos;s .swf as its cabinet holds it, with its thumbnail picture; an
emoticon&apos;s or picture&apos;s own GIF, PNG, JPEG or BMP). Every Wink, Dynamic Display
Picture and Dynamic Background is also played once by the preview&apos;s Flash
player, frame by frame at its own frame rate, into a .webm video (VP9, with the
movie&apos;s sound as Opus), an animated .webp no larger than 512 pixels (a sticker),
an animated .gif and a .png of its first frame. No display is needed.
</source>
        <translation>Primero se listan los elementos, exactamente como los lista &quot;quorvane-cli list&quot;.
Cada uno va a DIR/&lt;type&gt;/ con un nombre formado a partir de su nombre para
mostrar: su archivo original tal cual (el .swf de una película tal como lo
contiene su archivo CAB, con su imagen en miniatura; el GIF, PNG, JPEG o BMP
propio de un emoticono o de una imagen). Además, cada guiño, imagen dinámica y
fondo dinámico se reproduce una vez con el reproductor de Flash de la vista
previa, fotograma a fotograma a su propia velocidad, y se guarda en un vídeo
.webm (VP9, con el sonido de la película en Opus), un .webp animado de no más de
512 píxeles (un sticker), un .gif animado y un .png de su primer fotograma. No
se necesita ninguna pantalla.
</translation>
    </message>
    <message>
        <location line="+12"/>
        <source>DIR/index.html is a gallery of everything exported there, for any web browser,
and DIR/quorvane-export.json lists the same for programs, with each file&apos;s
SHA-256. A file of the same name is never replaced: the new one is numbered.
Exporting into the same folder again adds to its gallery.
</source>
        <translation>DIR/index.html es una galería de todo lo exportado allí, para cualquier
navegador web, y DIR/quorvane-export.json enumera lo mismo para los programas,
con el SHA-256 de cada archivo. Nunca se reemplaza un archivo del mismo nombre:
el nuevo se numera. Exportar de nuevo a la misma carpeta amplía su galería.
</translation>
    </message>
    <message>
        <location line="+8"/>
        <source>One line per item on the standard output, fields separated by tabs: type,
display name, then &quot;exported&quot; and the files written (relative to DIR), or
&quot;failed&quot;, the reason and the files that were written. The last line is the
gallery&apos;s path.
</source>
        <translation>Una línea por elemento en la salida estándar, con los campos separados por
tabuladores: tipo, nombre para mostrar y luego &quot;exported&quot; y los archivos
escritos (relativos a DIR), o &quot;failed&quot;, el motivo y los archivos que se
escribieron. La última línea es la ruta de la galería.
</translation>
    </message>
    <message>
        <location line="+8"/>
        <source>Exit status: 0 when every item was exported whole; 1 when some could not be,
nothing can be listed or the passport cannot be an account; 2 for a wrong
command line; 130 or 143 after an interrupt, which stops at once and leaves no
part of a file.
</source>
        <translation>Estado de salida: 0 si todos los elementos se exportaron completos; 1 si alguno
no se pudo exportar completo, no se puede listar nada o el Passport no puede ser
una cuenta; 2 si la línea de comandos es incorrecta; 130 o 143 tras una
interrupción, que detiene la exportación al instante y no deja ningún archivo a
medias.
</translation>
    </message>
</context>
<context>
    <name>quorvane::ui::AboutDialog</name>
    <message>
        <location filename="../src/ui/main/AboutDialog.cpp" line="+12"/>
        <source>About Quorvane</source>
        <translation>Acerca de Quorvane</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Quorvane Version %1</source>
        <translation>Quorvane versión %1</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>OK</source>
        <translation>Aceptar</translation>
    </message>
</context>
<context>
    <name>quorvane::ui::MainWindow</name>
    <message>
        <location filename="../src/ui/main/MainWindow.cpp" line="+215"/>
        <source>Backup Now</source>
        <translation>Copiar ahora</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Backup current selected winks now!</source>
        <translation>¡Hacer ahora la copia de seguridad de los guiños seleccionados!</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>Help</source>
        <translation>Ayuda</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Open help manual.</source>
        <translation>Abrir el manual de ayuda.</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Minimize current window.</source>
        <translation>Minimizar la ventana actual.</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Close current window and exit.</source>
        <translation>Cerrar la ventana actual y salir.</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Backup to Folder:</source>
        <translation>Carpeta de copia:</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>Change Folder</source>
        <translation>Cambiar...</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Open Folder</source>
        <translation>Abrir carpeta</translation>
    </message>
    <message>
        <location filename="../src/ui/main/MainWindowSource.cpp" line="+77"/>
        <source>1. Enter your MSN account (e.g. someone@example.com).
2. Select a backup type. 
3. Click &lt;List&gt; button to list the installed items in current account.
4. Select the items to backup.
5. Click &lt;Backup Now&gt; button to backup the selected items.</source>
        <translation>1. Escriba su cuenta de MSN (p. ej. alguien@example.com).
2. Seleccione un tipo de copia.
3. Haga clic en &lt;Listar&gt; para ver los elementos de la cuenta.
4. Seleccione los elementos que desea copiar.
5. Haga clic en &lt;Copiar ahora&gt; para copiar los seleccionados.</translation>
    </message>
    <message>
        <location line="+12"/>
        <source>Reading from the disk image %1 (user %2).</source>
        <translation>Leyendo de la imagen de disco %1 (usuario %2).</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Reading from the Windows folder %1 (user %2).</source>
        <translation>Leyendo de la carpeta de Windows %1 (usuario %2).</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>Reading from the Wine prefix %1 (user %2).</source>
        <translation>Leyendo del prefijo de Wine %1 (usuario %2).</translation>
    </message>
    <message>
        <location line="+42"/>
        <source>Please select the folder of the Windows user to read from.</source>
        <translation>Seleccione la carpeta del usuario de Windows que desea leer.</translation>
    </message>
    <message>
        <location line="+9"/>
        <source>The Windows folder cannot be read: %1</source>
        <translation>No se puede leer la carpeta de Windows: %1</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>The Windows folder cannot be read: %1.</source>
        <translation>No se puede leer la carpeta de Windows: %1.</translation>
    </message>
    <message>
        <location line="+15"/>
        <source>Please select the disk image of the old computer to read from.</source>
        <translation>Seleccione la imagen de disco del ordenador antiguo que se va a leer.</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Disk images (%1)</source>
        <translation>Imágenes de disco (%1)</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>All files (*)</source>
        <translation>Todos los archivos (*)</translation>
    </message>
    <message>
        <location line="+7"/>
        <source>Looking for the Windows users on the disk image...</source>
        <translation>Buscando los usuarios de Windows en la imagen de disco...</translation>
    </message>
    <message>
        <location line="+21"/>
        <source>%1 (partition %2)</source>
        <translation>%1 (partición %2)</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>Several Windows users ran Messenger on this disk. Whose content is it?</source>
        <translation>Varios usuarios de Windows usaron Messenger en este disco. ¿De quién es el contenido?</translation>
    </message>
    <message>
        <location line="+7"/>
        <location line="+15"/>
        <source>The disk image cannot be read: %1.</source>
        <translation>No se puede leer la imagen de disco: %1.</translation>
    </message>
    <message>
        <location line="-11"/>
        <source>Copying from the disk image...</source>
        <translation>Copiando de la imagen de disco...</translation>
    </message>
    <message>
        <location line="+26"/>
        <source>Checking the password...</source>
        <translation>Comprobando la contraseña...</translation>
    </message>
    <message>
        <location line="+26"/>
        <source>The disk image cannot be read: %1.

%2</source>
        <translation>No se puede leer la imagen de disco: %1.

%2</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>The Windows folder cannot be read: %1.

%2</source>
        <translation>No se puede leer la carpeta de Windows: %1.

%2</translation>
    </message>
    <message>
        <location filename="../src/ui/main/MainWindow.cpp" line="+4"/>
        <source>MSN Passport:</source>
        <translation>Passport de MSN:</translation>
    </message>
    <message>
        <location line="+14"/>
        <source>Backup Type:</source>
        <translation>Tipo de copia:</translation>
    </message>
    <message>
        <location line="+10"/>
        <source>Items installed in current MSN account:</source>
        <translation>Elementos instalados en la cuenta de MSN actual:</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Items selected to be backup:</source>
        <translation>Elementos seleccionados para copiar:</translation>
    </message>
    <message>
        <location line="+11"/>
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
        <translation>Vista previa</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Get More...</source>
        <translation>Ver más...</translation>
    </message>
    <message>
        <location line="+17"/>
        <source>Read from a &amp;disk image...</source>
        <translation>Leer de una &amp;imagen de disco...</translation>
    </message>
    <message>
        <location line="+7"/>
        <source>&amp;Export to open formats...</source>
        <translation>&amp;Exportar a formatos abiertos...</translation>
    </message>
    <message>
        <location line="+28"/>
        <source>Minimize</source>
        <translation>Minimizar</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Backup to Folder</source>
        <translation>Carpeta de copia</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>The folder the backups are written to.</source>
        <translation>La carpeta donde se guardan las copias.</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Choose another folder to write the backups to.</source>
        <translation>Elegir otra carpeta donde guardar las copias.</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Open the backup folder in the file manager.</source>
        <translation>Abrir la carpeta de copia en el administrador de archivos.</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>MSN Passport</source>
        <translation>Passport de MSN</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>The Messenger account whose items are listed. Passports used before can be picked from the list.</source>
        <translation>La cuenta de Messenger cuyos elementos se listan. Los Passport usados antes se pueden elegir en la lista.</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Backup Type</source>
        <translation>Tipo de copia</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>The kind of items to list and back up.</source>
        <translation>El tipo de elementos que se listan y se copian.</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Items installed in current MSN account</source>
        <translation>Elementos instalados en la cuenta de MSN actual</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>The items List found. Add moves the selected one to the items to back up.</source>
        <translation>Los elementos que encontró Listar. Agregar pasa el seleccionado a los elementos que se copiarán.</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Items selected to be backup</source>
        <translation>Elementos seleccionados para copiar</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>The items Backup Now writes to the backup folder.</source>
        <translation>Los elementos que Copiar ahora guarda en la carpeta de copia.</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>List the account&apos;s items of the chosen type.</source>
        <translation>Listar los elementos de la cuenta del tipo elegido.</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Add</source>
        <translation>Agregar</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Move the selected item to the items to back up.</source>
        <translation>Pasar el elemento seleccionado a los elementos que se copiarán.</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Add All</source>
        <translation>Agregar todos</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Move every item to the items to back up.</source>
        <translation>Pasar todos los elementos a los elementos que se copiarán.</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Remove</source>
        <translation>Quitar</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Move the selected item back out of the items to back up.</source>
        <translation>Quitar el elemento seleccionado de los elementos que se copiarán.</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Remove All</source>
        <translation>Quitar todos</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Move every item out of the items to back up.</source>
        <translation>Quitar todos los elementos de los elementos que se copiarán.</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Play or show the selected item.</source>
        <translation>Reproducir o mostrar el elemento seleccionado.</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Open the manual where it tells where more content comes from.</source>
        <translation>Abrir el manual donde explica de dónde viene más contenido.</translation>
    </message>
    <message>
        <location line="+11"/>
        <source>Back up the items selected to be backed up, of the type %1, into the backup folder.</source>
        <translation>Copia los elementos seleccionados para la copia de seguridad, del tipo %1, en la carpeta de copias.</translation>
    </message>
    <message>
        <location line="+111"/>
        <source>&amp;About Quorvane...</source>
        <translation>&amp;Acerca de Quorvane...</translation>
    </message>
    <message>
        <location line="+51"/>
        <source>Quorvane could not open %1: no program to open it was found. xdg-open (in the package xdg-utils) opens folders and pages with the desktop&apos;s own programs.</source>
        <translation>Quorvane no pudo abrir %1: no se encontró ningún programa para abrirlo. xdg-open (del paquete xdg-utils) abre carpetas y páginas con los programas del escritorio.</translation>
    </message>
    <message>
        <location line="-233"/>
        <source>Read from a &amp;Windows folder...</source>
        <translation>Leer de una carpeta de &amp;Windows...</translation>
    </message>
    <message numerus="yes">
        <location line="-186"/>
        <source>Copying from the disk image: %n file(s)...</source>
        <translation>
            <numerusform>Copiando de la imagen de disco: %n archivo...</numerusform>
            <numerusform>Copiando de la imagen de disco: %n archivos...</numerusform>
        </translation>
    </message>
    <message>
        <location line="+192"/>
        <source>Read from the Wine &amp;prefix</source>
        <translation>Leer del &amp;prefijo de Wine</translation>
    </message>
    <message>
        <location line="+33"/>
        <location line="+152"/>
        <source>Close</source>
        <translation>Cerrar</translation>
    </message>
    <message>
        <location filename="../src/ui/main/MainWindowCommands.cpp" line="+133"/>
        <source>Please select an installed winks to add to backup.</source>
        <translation>Seleccione un guiño instalado para agregarlo a la copia.</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>Please select an winks not to be backup.</source>
        <translation>Seleccione un guiño para quitarlo de la copia.</translation>
    </message>
    <message>
        <location line="+14"/>
        <source>Preview is not part of this build of Quorvane.</source>
        <translation>La vista previa no forma parte de esta compilación de Quorvane.</translation>
    </message>
    <message>
        <location line="+13"/>
        <source>Please select a MSN Object to preview.</source>
        <translation>Seleccione un objeto de MSN para ver su vista previa.</translation>
    </message>
    <message>
        <location line="+37"/>
        <source>Listing...</source>
        <translation>Listando...</translation>
    </message>
    <message numerus="yes">
        <location line="+62"/>
        <source>Listing was cancelled: %n item(s) listed.</source>
        <translation>
            <numerusform>Se canceló el listado: se listó %n elemento.</numerusform>
            <numerusform>Se canceló el listado: se listaron %n elementos.</numerusform>
        </translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Nothing could be listed: %1.</source>
        <translation>No se pudo listar nada: %1.</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>Nothing could be listed: %1 was protected with a Windows master key that is not in the Windows folder, or that the password does not open.</source>
        <translation>No se pudo listar nada: %1 se protegió con una clave maestra de Windows que no está en la carpeta de Windows o que la contraseña no abre.</translation>
    </message>
    <message>
        <location line="+9"/>
        <source>Nothing could be listed: %1</source>
        <translation>No se pudo listar nada: %1</translation>
    </message>
    <message>
        <location line="+15"/>
        <source>Backing up...</source>
        <translation>Copiando...</translation>
    </message>
    <message>
        <location line="-49"/>
        <location line="+74"/>
        <location line="+52"/>
        <source>(no name)</source>
        <translation>(sin nombre)</translation>
    </message>
    <message numerus="yes">
        <location line="-46"/>
        <source>The backup was cancelled. %1 of %2 items were written; %n were not.</source>
        <translation>
            <numerusform>Se canceló la copia de seguridad. Se escribieron %1 de %2 elementos; %n no se escribió.</numerusform>
            <numerusform>Se canceló la copia de seguridad. Se escribieron %1 de %2 elementos; %n no se escribieron.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <location line="+3"/>
        <source>%1 of %2 items were written; %n could not be backed up.</source>
        <translation>
            <numerusform>Se escribieron %1 de %2 elementos; %n no se pudo copiar.</numerusform>
            <numerusform>Se escribieron %1 de %2 elementos; %n no se pudieron copiar.</numerusform>
        </translation>
    </message>
    <message>
        <location line="+9"/>
        <source>Please list the items to export first.</source>
        <translation>Primero liste los elementos que desea exportar.</translation>
    </message>
    <message>
        <location line="+11"/>
        <source>Please select a folder to export the items into.</source>
        <translation>Seleccione una carpeta a la que exportar los elementos.</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>Exporting...</source>
        <translation>Exportando...</translation>
    </message>
    <message numerus="yes">
        <location line="+28"/>
        <source>The export was cancelled. %1 of %n items were exported.</source>
        <translation>
            <numerusform>Se canceló la exportación. Se exportaron %1 de %n elemento.</numerusform>
            <numerusform>Se canceló la exportación. Se exportaron %1 de %n elementos.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <location line="+2"/>
        <source>%n items were exported.</source>
        <translation>
            <numerusform>Se exportó %n elemento.</numerusform>
            <numerusform>Se exportaron %n elementos.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <location line="+1"/>
        <source>%1 of %2 items were exported; %n could not be exported whole.</source>
        <translation>
            <numerusform>Se exportaron %1 de %2 elementos; %n no se pudo exportar completo.</numerusform>
            <numerusform>Se exportaron %1 de %2 elementos; %n no se pudieron exportar completos.</numerusform>
        </translation>
    </message>
    <message>
        <location line="+9"/>
        <source>Open &amp;Gallery</source>
        <translation>Abrir &amp;galería</translation>
    </message>
    <message>
        <location line="+9"/>
        <source>Another Quorvane is working on this account. Try again when it has finished.</source>
        <translation>Otro Quorvane está trabajando con esta cuenta. Vuelva a intentarlo cuando haya terminado.</translation>
    </message>
    <message>
        <location line="+15"/>
        <source>Quorvane&apos;s own folder cannot be used: %1.</source>
        <translation>No se puede usar la carpeta propia de Quorvane: %1.</translation>
    </message>
    <message>
        <location line="+16"/>
        <source>Cancel</source>
        <translation>Cancelar</translation>
    </message>
    <message>
        <location line="+35"/>
        <source>Listing %1 of %2...</source>
        <translation>Listando %1 de %2...</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Exporting %1 of %2...</source>
        <translation>Exportando %1 de %2...</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Backing up %1 of %2...</source>
        <translation>Copiando %1 de %2...</translation>
    </message>
    <message>
        <location filename="../src/ui/main/MainWindow.cpp" line="+25"/>
        <source>Please select a folder to backup the MSN Content Packs.</source>
        <translation>Seleccione una carpeta para la copia de seguridad de los paquetes de contenido de MSN.</translation>
    </message>
</context>
<context>
    <name>quorvane::ui::PasswordDialog</name>
    <message>
        <location filename="../src/ui/main/PasswordDialog.cpp" line="+44"/>
        <source>Windows password of %1:</source>
        <translation>Contraseña de Windows de %1:</translation>
    </message>
</context>
<context>
    <name>quorvane::ui::PreviewDialog</name>
    <message>
        <location filename="../src/ui/preview/PreviewDialog.cpp" line="+26"/>
        <source>Preview - Quorvane</source>
        <translation>Vista previa - Quorvane</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>OK</source>
        <translation>Aceptar</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>Cancel</source>
        <translation>Cancelar</translation>
    </message>
    <message>
        <location line="+21"/>
        <source>Loading...</source>
        <translation>Cargando...</translation>
    </message>
    <message>
        <location line="-31"/>
        <source>%1 - Preview - Quorvane</source>
        <translation>%1 - Vista previa - Quorvane</translation>
    </message>
</context>
<context>
    <name>quorvane::ui::PreviewPlayerPage</name>
    <message>
        <location filename="../src/ui/preview/PreviewPlayerPage.cpp" line="+104"/>
        <source>The Flash player stopped on this file.</source>
        <translation>El reproductor de Flash se detuvo en este archivo.</translation>
    </message>
</context>
</TS>
