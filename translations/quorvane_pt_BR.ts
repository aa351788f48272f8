<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="pt_BR">
<context>
    <name>QObject</name>
    <message>
        <location filename="../src/ui/main/main.cpp" line="+82"/>
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
        <source>MSN Winks</source>
        <translation>Piscadelas do MSN</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>MSN Dynamic Display Pictures</source>
        <translation>Imagens dinâmicas do MSN</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>MSN Dynamic Backgrounds</source>
        <translation>Planos de fundo dinâmicos do MSN</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>MSN Custom Emoticons</source>
        <translation>Emoticons personalizados do MSN</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>MSN Regular Backgrounds</source>
        <translation>Planos de fundo comuns do MSN</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>MSN Regular Display Pictures</source>
        <translation>Imagens de exibição do MSN</translation>
    </message>
    <message>
        <location line="+1"/>
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
