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
        <location line="+8"/>
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
    <name>quorvane::ui::CDlgAbout</name>
    <message>
        <location filename="../src/ui/main/CDlgAbout.cpp" line="+12"/>
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
    <name>quorvane::ui::CDlgMain</name>
    <message>
        <location filename="../src/ui/main/CDlgMain.cpp" line="+53"/>
        <source>MSN Winks</source>
        <translation>Guiños de MSN</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>MSN Dynamic Display Pictures</source>
        <translation>Imágenes dinámicas de MSN</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>MSN Dynamic Backgrounds</source>
        <translation>Fondos dinámicos de MSN</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>MSN Custom Emoticons</source>
        <translation>Emoticonos personalizados de MSN</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>MSN Regular Backgrounds</source>
        <translation>Fondos normales de MSN</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>MSN Regular Display Pictures</source>
        <translation>Imágenes para mostrar de MSN</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Congratulation! Backup finished successfully.</source>
        <translation>¡Enhorabuena! La copia de seguridad ha finalizado correctamente.</translation>
    </message>
    <message>
        <location line="+122"/>
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
        <location line="+7"/>
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
        <location line="+22"/>
        <source>MSN Passport:</source>
        <translation>Passport de MSN:</translation>
    </message>
    <message>
        <location line="+8"/>
        <source>Backup Type:</source>
        <translation>Tipo de copia:</translation>
    </message>
    <message>
        <location line="+10"/>
        <source>Items installed in current MSN account:</source>
        <translation>Elementos instalados en la cuenta de MSN actual:</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Items selected to be backup:</source>
        <translation>Elementos seleccionados para copiar:</translation>
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
        <translation>Vista previa</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Get More...</source>
        <translation>Ver más...</translation>
    </message>
    <message>
        <location line="+39"/>
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
        <location line="+159"/>
        <source>&amp;About Quorvane...</source>
        <translation>&amp;Acerca de Quorvane...</translation>
    </message>
    <message>
        <location line="-180"/>
        <location line="+182"/>
        <source>Close</source>
        <translation>Cerrar</translation>
    </message>
    <message>
        <location line="+102"/>
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
        <location line="+20"/>
        <source>Please enter an valid MSN account.</source>
        <translation>Escriba una cuenta de MSN válida.</translation>
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
            <numerusform>Se canceló el listado: se listó %n elemento.</numerusform>
            <numerusform>Se canceló el listado: se listaron %n elementos.</numerusform>
        </translation>
    </message>
    <message>
        <location line="+5"/>
        <source>Nothing could be listed: %1.</source>
        <translation>No se pudo listar nada: %1.</translation>
    </message>
    <message>
        <location line="+11"/>
        <source>Please list and select the items to backup.</source>
        <translation>Liste y seleccione los elementos que desea copiar.</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Backing up...</source>
        <translation>Copiando...</translation>
    </message>
    <message>
        <location line="-29"/>
        <location line="+55"/>
        <source>(no name)</source>
        <translation>(sin nombre)</translation>
    </message>
    <message numerus="yes">
        <location line="+6"/>
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
        <location line="+10"/>
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
        <location line="+33"/>
        <source>Listing %1 of %2...</source>
        <translation>Listando %1 de %2...</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Backing up %1 of %2...</source>
        <translation>Copiando %1 de %2...</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>Please select a folder to backup the MSN Content Packs.</source>
        <translation>Seleccione una carpeta para la copia de seguridad de los paquetes de contenido de MSN.</translation>
    </message>
</context>
<context>
    <name>quorvane::ui::CDlgPreviewWinks</name>
    <message>
        <location filename="../src/ui/preview/CDlgPreviewWinks.cpp" line="+22"/>
        <source>Preview - Quorvane</source>
        <translation>Vista previa - Quorvane</translation>
    </message>
    <message>
        <location line="+5"/>
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
</context>
<context>
    <name>quorvane::ui::PreviewPlayerPage</name>
    <message>
        <location filename="../src/ui/preview/CExplorer_previewflash.cpp" line="+103"/>
        <source>The Flash player stopped on this file.</source>
        <translation>El reproductor de Flash se detuvo en este archivo.</translation>
    </message>
</context>
</TS>
