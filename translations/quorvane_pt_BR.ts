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
        <location line="+9"/>
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
    <name>quorvane::Gallery</name>
    <message>
        <location filename="../src/app/GalleryText.cpp" line="+19"/>
        <source>en</source>
        <comment>The BCP 47 tag of this translation&apos;s language (pt-BR, es), for the gallery page&apos;s lang attribute</comment>
        <translation>pt-BR</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>Messenger content of %1</source>
        <translation>Conteúdo do Messenger de %1</translation>
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
        <translation>Animação (WebP)</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Animation (GIF)</source>
        <translation>Animação (GIF)</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>First frame (PNG)</source>
        <translation>Primeiro quadro (PNG)</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Thumbnail</source>
        <translation>Miniatura</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Shortcut:</source>
        <translation>Atalho:</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Play the video to hear its sound.</source>
        <translation>Reproduza o vídeo para ouvir o som.</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Nothing was exported.</source>
        <translation>Nada foi exportado.</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Failed:</source>
        <translation>Falhou:</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Winks</source>
        <translation>Piscadelas</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Dynamic Display Pictures</source>
        <translation>Imagens de exibição dinâmicas</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Dynamic Backgrounds</source>
        <translation>Planos de fundo dinâmicos</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Custom Emoticons</source>
        <translation>Emoticons personalizados</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Backgrounds</source>
        <translation>Planos de fundo</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Display Pictures</source>
        <translation>Imagens de exibição</translation>
    </message>
</context>
<context>
    <name>quorvane::Outcomes</name>
    <message>
        <location filename="../src/backup/BackupOperation.cpp" line="+87"/>
        <source>the backup was interrupted before this item</source>
        <translation>o backup foi interrompido antes deste item</translation>
    </message>
    <message>
        <location line="+7"/>
        <source>there is no listed item %1</source>
        <translation>não há nenhum item listado com o número %1</translation>
    </message>
    <message>
        <location line="+20"/>
        <source>it is too large to be written in %1: %2</source>
        <translation>é grande demais para ser gravado em %1: %2</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>no file can be written in %1: %2</source>
        <translation>nenhum arquivo pode ser gravado em %1: %2</translation>
    </message>
    <message>
        <location line="+17"/>
        <source>the cabinet tool wrote no pack</source>
        <translation>a ferramenta de arquivos CAB não gravou nenhum pacote</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>the pack could not be sealed: %1</source>
        <translation>não foi possível selar o pacote: %1</translation>
    </message>
    <message>
        <location line="+93"/>
        <source>its file is named content.xml, the name of the pack&apos;s manifest</source>
        <translation>seu arquivo se chama content.xml, que é o nome do manifesto do pacote</translation>
    </message>
    <message>
        <location line="-66"/>
        <location line="+71"/>
        <source>its file name &quot;%1&quot; holds a wildcard (* or ?), which no Windows file name can</source>
        <translation>seu nome de arquivo &quot;%1&quot; contém um curinga (* ou ?), o que nenhum nome de arquivo do Windows pode conter</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>its stamp file %1 cannot be read: %2</source>
        <translation>não é possível ler seu arquivo de carimbo %1: %2</translation>
    </message>
    <message>
        <location line="+83"/>
        <location filename="../src/export/ExportOperation.cpp" line="+379"/>
        <source>%1 could not be written: every numbered name is taken</source>
        <translation>não foi possível gravar %1: todos os nomes numerados já estão em uso</translation>
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
        <translation>não foi possível gravar %1: %2</translation>
    </message>
    <message>
        <location line="+72"/>
        <source>%1 could not be written to the disk: %2</source>
        <translation>não foi possível gravar %1 no disco: %2</translation>
    </message>
    <message>
        <location line="+62"/>
        <location filename="../src/export/ExportOperation.cpp" line="-239"/>
        <source>the folder %1 could not be created: %2</source>
        <translation>não foi possível criar a pasta %1: %2</translation>
    </message>
    <message>
        <location line="+4"/>
        <location filename="../src/export/ExportOperation.cpp" line="+4"/>
        <location line="+280"/>
        <source>the folder %1 cannot be written into: %2</source>
        <translation>não é possível gravar na pasta %1: %2</translation>
    </message>
    <message>
        <location line="+32"/>
        <source>the listing has no scratch folder for the manifests</source>
        <translation>a listagem não tem uma pasta temporária para os manifestos</translation>
    </message>
    <message>
        <location line="+63"/>
        <source>no work folder could be made in %1</source>
        <translation>não foi possível criar uma pasta de trabalho em %1</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>no work folder could be made in %1: %2</source>
        <translation>não foi possível criar uma pasta de trabalho em %1: %2</translation>
    </message>
    <message>
        <location line="-407"/>
        <source>its file would be named content.xml, the name of the pack&apos;s manifest</source>
        <translation>seu arquivo se chamaria content.xml, que é o nome do manifesto do pacote</translation>
    </message>
    <message>
        <location line="+11"/>
        <source>another emoticon of this pack has the file name %1</source>
        <translation>outro emoticon deste pacote tem o nome de arquivo %1</translation>
    </message>
    <message>
        <location line="+14"/>
        <location line="+487"/>
        <location filename="../src/export/ExportOperation.cpp" line="-248"/>
        <source>its file %1 cannot be read: %2</source>
        <translation>não é possível ler seu arquivo %1: %2</translation>
    </message>
    <message>
        <location line="-484"/>
        <source>its copy in %1 could not be written: %2</source>
        <translation>não foi possível gravar sua cópia em %1: %2</translation>
    </message>
    <message>
        <location line="+444"/>
        <source>the backup was interrupted before the pack was written</source>
        <translation>o backup foi interrompido antes de o pacote ser gravado</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>no emoticon could be copied into the pack</source>
        <translation>nenhum emoticon pôde ser copiado para o pacote</translation>
    </message>
    <message>
        <location filename="../src/backup/CabinetTools.cpp" line="+56"/>
        <source>the cabinet tool &quot;%1&quot; is not installed</source>
        <translation>a ferramenta de arquivos CAB &quot;%1&quot; não está instalada</translation>
    </message>
    <message>
        <location line="+10"/>
        <source>the cabinet tool &quot;%1&quot; could not be started: %2</source>
        <translation>não foi possível iniciar a ferramenta de arquivos CAB &quot;%1&quot;: %2</translation>
    </message>
    <message>
        <location line="+12"/>
        <source>the cabinet tool &quot;%1&quot; was stopped because a file it wrote grew beyond the file size limit (ulimit -f)</source>
        <translation>a ferramenta de arquivos CAB &quot;%1&quot; foi interrompida porque um arquivo gravado por ela ultrapassou o limite de tamanho de arquivo (ulimit -f)</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>the cabinet tool &quot;%1&quot; was killed by signal %2 (%3)</source>
        <translation>a ferramenta de arquivos CAB &quot;%1&quot; foi encerrada pelo sinal %2 (%3)</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>the cabinet tool &quot;%1&quot; failed</source>
        <translation>a ferramenta de arquivos CAB &quot;%1&quot; falhou</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>the cabinet tool &quot;%1&quot; failed: %2</source>
        <translation>a ferramenta de arquivos CAB &quot;%1&quot; falhou: %2</translation>
    </message>
    <message>
        <location filename="../src/backup/Manifests.cpp" line="+88"/>
        <source>its content id holds a control character (%1) that XML cannot carry</source>
        <translation>seu id de conteúdo contém um caractere de controle (%1) que o XML não pode representar</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>its Location holds a control character (%1) that XML cannot carry</source>
        <translation>seu Location contém um caractere de controle (%1) que o XML não pode representar</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>its stamp holds a control character (%1) that XML cannot carry</source>
        <translation>seu carimbo contém um caractere de controle (%1) que o XML não pode representar</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>its key sequence holds a control character (%1) that XML cannot carry</source>
        <translation>sua sequência de teclas contém um caractere de controle (%1) que o XML não pode representar</translation>
    </message>
    <message>
        <location line="+36"/>
        <source>%1 (line %2, column %3)</source>
        <translation>%1 (linha %2, coluna %3)</translation>
    </message>
    <message>
        <location line="+7"/>
        <source>only Winks, Dynamic Display Pictures and Dynamic Backgrounds are packed with an object manifest</source>
        <translation>apenas piscadelas, imagens de exibição dinâmicas e planos de fundo dinâmicos são empacotados com um manifesto de objeto</translation>
    </message>
    <message>
        <location line="+57"/>
        <source>its content.xml would not be well-formed XML: %1</source>
        <translation>seu content.xml não seria um XML bem formado: %1</translation>
    </message>
    <message>
        <location line="+16"/>
        <source>its content.xml could not be written in %1: %2</source>
        <translation>não foi possível gravar seu content.xml em %1: %2</translation>
    </message>
    <message>
        <location line="+53"/>
        <source>the pack&apos;s content.xml is not well-formed XML: %1</source>
        <translation>o content.xml do pacote não é um XML bem formado: %1</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>the pack&apos;s content.xml could not be written in %1: %2</source>
        <translation>não foi possível gravar o content.xml do pacote em %1: %2</translation>
    </message>
    <message>
        <location filename="../src/profile/PackCipher.cpp" line="+155"/>
        <source>the pack cannot be read: %1</source>
        <translation>não é possível ler o pacote: %1</translation>
    </message>
    <message>
        <location line="+7"/>
        <source>the pack is not a sealed cabinet</source>
        <translation>o pacote não é um arquivo CAB selado</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>the unsealed copy could not be written: %1</source>
        <translation>não foi possível gravar a cópia sem o selo: %1</translation>
    </message>
    <message>
        <location filename="../src/backup/PackVerifier.cpp" line="+88"/>
        <source>the pack holds no content.xml</source>
        <translation>o pacote não contém um content.xml</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>content.xml is not well-formed XML: %1</source>
        <translation>o content.xml não é um XML bem formado: %1</translation>
    </message>
    <message>
        <location line="+14"/>
        <source>content.xml names no file</source>
        <translation>o content.xml não cita nenhum arquivo</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>content.xml names &quot;%1&quot;, which is not in the pack</source>
        <translation>o content.xml cita &quot;%1&quot;, que não está no pacote</translation>
    </message>
    <message>
        <location line="+11"/>
        <source>the pack holds &quot;%1&quot;, which content.xml does not name</source>
        <translation>o pacote contém &quot;%1&quot;, que o content.xml não cita</translation>
    </message>
    <message>
        <location filename="../src/platform/CodePage.cpp" line="+77"/>
        <source>code page not available: %1</source>
        <translation>página de código não disponível: %1</translation>
    </message>
    <message>
        <location filename="../src/platform/FileIo.cpp" line="+142"/>
        <source>it does not exist</source>
        <translation>não existe</translation>
    </message>
    <message>
        <location line="-22"/>
        <source>it is a folder, not a regular file</source>
        <translation>é uma pasta, não um arquivo comum</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>it is a FIFO, not a regular file</source>
        <translation>é um FIFO, não um arquivo comum</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>it is a socket, not a regular file</source>
        <translation>é um socket, não um arquivo comum</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>it is a device, not a regular file</source>
        <translation>é um dispositivo, não um arquivo comum</translation>
    </message>
    <message>
        <location line="-2"/>
        <source>it is a symbolic link, not a regular file</source>
        <translation>é um link simbólico, não um arquivo comum</translation>
    </message>
    <message>
        <location line="+19"/>
        <source>it is larger than any file Messenger keeps</source>
        <translation>é maior que qualquer arquivo que o Messenger guarda</translation>
    </message>
    <message>
        <location line="+205"/>
        <source>it is a symbolic link</source>
        <translation>é um link simbólico</translation>
    </message>
    <message>
        <location filename="../src/app/DemoAccount.cpp" line="+189"/>
        <source>the demo&apos;s file %1 cannot be read: %2</source>
        <translation>não é possível ler o arquivo da demonstração %1: %2</translation>
    </message>
    <message>
        <location line="+186"/>
        <location filename="../src/platform/PrivateFolder.cpp" line="+29"/>
        <location line="+64"/>
        <source>the folder %1 cannot be made: %2</source>
        <translation>não é possível criar a pasta %1: %2</translation>
    </message>
    <message>
        <location line="+11"/>
        <source>%1 cannot be written: %2</source>
        <translation>não é possível gravar %1: %2</translation>
    </message>
    <message>
        <location line="+7"/>
        <source>the data protection of %1 failed</source>
        <translation>a proteção de dados de %1 falhou</translation>
    </message>
    <message>
        <location line="+38"/>
        <source>the cabinet is not whole</source>
        <translation>o arquivo CAB não está completo</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>%1 cannot be made: %2</source>
        <translation>não é possível criar %1: %2</translation>
    </message>
    <message>
        <location line="+62"/>
        <source>another Quorvane is working on the demo account; try again when it has finished</source>
        <translation>outro Quorvane está trabalhando na conta de demonstração; tente de novo quando ele terminar</translation>
    </message>
    <message>
        <location line="+13"/>
        <source>%1: %2</source>
        <translation>%1: %2</translation>
    </message>
    <message>
        <location line="+22"/>
        <source>no folder is given for the demo&apos;s Wine prefix</source>
        <translation>nenhuma pasta foi informada para o prefixo do Wine da demonstração</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>the Wine user name &quot;%1&quot; cannot be a folder&apos;s name</source>
        <translation>o nome de usuário do Wine &quot;%1&quot; não pode ser o nome de uma pasta</translation>
    </message>
    <message>
        <location filename="../src/platform/PrivateFolder.cpp" line="-54"/>
        <source>the folder %1 is a symbolic link; Quorvane keeps its private files only in a real folder</source>
        <translation>a pasta %1 é um link simbólico; o Quorvane guarda seus arquivos privados apenas em uma pasta de verdade</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>the folder %1 cannot be opened: %2</source>
        <translation>não é possível abrir a pasta %1: %2</translation>
    </message>
    <message>
        <location line="+9"/>
        <source>the folder %1 cannot be examined: %2</source>
        <translation>não é possível examinar a pasta %1: %2</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>the folder %1 belongs to another user</source>
        <translation>a pasta %1 pertence a outro usuário</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>the folder %1 cannot be made private: %2</source>
        <translation>não é possível tornar a pasta %1 privada: %2</translation>
    </message>
    <message>
        <location filename="../src/platform/ScratchFolder.cpp" line="+46"/>
        <source>no scratch folder can be made in %1: %2</source>
        <translation>não é possível criar uma pasta temporária em %1: %2</translation>
    </message>
    <message>
        <location line="+8"/>
        <source>the scratch folder %1 cannot be held: %2</source>
        <translation>não é possível bloquear a pasta temporária %1: %2</translation>
    </message>
    <message>
        <location line="+22"/>
        <source>the scratch folder %1 cannot be made: %2</source>
        <translation>não é possível criar a pasta temporária %1: %2</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>no free name for a scratch folder in %1</source>
        <translation>não há nenhum nome livre para uma pasta temporária em %1</translation>
    </message>
    <message>
        <location filename="../src/platform/FileLock.cpp" line="+21"/>
        <source>the lock file %1 cannot be opened: %2</source>
        <translation>não é possível abrir o arquivo de bloqueio %1: %2</translation>
    </message>
    <message>
        <location line="+14"/>
        <source>the lock file %1 cannot be locked: %2</source>
        <translation>não é possível bloquear o arquivo de bloqueio %1: %2</translation>
    </message>
    <message>
        <location filename="../src/platform/ProcessRunner.cpp" line="+48"/>
        <source>no program to run</source>
        <translation>nenhum programa a executar</translation>
    </message>
    <message>
        <location filename="../src/profile/ContentCategory.cpp" line="+18"/>
        <source>MSN Winks</source>
        <translation>Piscadelas do MSN</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>MSN Dynamic Display Pictures</source>
        <translation>Imagens de exibição dinâmicas do MSN</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>MSN Dynamic Backgrounds</source>
        <translation>Planos de fundo dinâmicos do MSN</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>MSN Custom Emoticons</source>
        <translation>Emoticons personalizados do MSN</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>MSN Regular Backgrounds</source>
        <translation>Planos de fundo comuns do MSN</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>MSN Regular Display Pictures</source>
        <translation>Imagens de exibição comuns do MSN</translation>
    </message>
    <message>
        <location filename="../src/profile/ObjectList.cpp" line="+130"/>
        <source>no private folder is known</source>
        <translation>nenhuma pasta privada é conhecida</translation>
    </message>
    <message>
        <location filename="../src/backup/Rescue.cpp" line="-134"/>
        <location line="+37"/>
        <location line="+22"/>
        <location line="+206"/>
        <location line="+82"/>
        <source>%1 could not be read: %2</source>
        <translation>não foi possível ler %1: %2</translation>
    </message>
    <message>
        <location line="-342"/>
        <location line="+334"/>
        <source>more than %1 entries under %2: the rest was not looked at</source>
        <translation>mais de %1 entradas em %2: o restante não foi examinado</translation>
    </message>
    <message>
        <location line="-310"/>
        <source>%1 lies deeper than %2 folders and was not looked into</source>
        <translation>%1 fica a mais de %2 pastas de profundidade e não foi examinado</translation>
    </message>
    <message>
        <location line="+55"/>
        <source>%1 could not be copied into %2: %3</source>
        <translation>não foi possível copiar %1 para %2: %3</translation>
    </message>
    <message>
        <location line="+23"/>
        <source>%1 was not copied: %2 and %3 more names like it are taken</source>
        <translation>%1 não foi copiado: %2 e mais %3 nomes como ele já estão em uso</translation>
    </message>
    <message>
        <location line="+65"/>
        <source>nothing was copied: %1 could not be read: %2</source>
        <translation>nada foi copiado: não foi possível ler %1: %2</translation>
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
        <translation>Arquivos resgatados pelo Quorvane em %1 a partir de %2.
Estes arquivos foram copiados apenas pelo conteúdo, sem o catálogo do Messenger
(que não pode ser lido sem a senha do Windows): todos os arquivos das pastas da
conta que são um arquivo CAB ou uma imagem GIF, PNG, JPEG ou BMP. Isto não é um
backup. Os nomes foram tirados dos próprios arquivos (do content.xml de um
arquivo CAB, quando ele informa um, senão do nome do próprio arquivo); os nomes
de exibição, os atalhos dos emoticons e os carimbos, que só o catálogo contém,
estão faltando. Um arquivo CAB (.cab) é um objeto como o Messenger o instalou,
não um pacote .msn: o Messenger não consegue instalá-lo de novo, mas qualquer
ferramenta de arquivos CAB o abre.
</translation>
    </message>
    <message>
        <location line="+16"/>
        <source>nothing was copied: %1 could not be written: %2</source>
        <translation>nada foi copiado: não foi possível gravar %1: %2</translation>
    </message>
    <message>
        <location line="+23"/>
        <location line="+7"/>
        <location line="+47"/>
        <location line="+54"/>
        <location line="+7"/>
        <source>%1 could not be made: %2</source>
        <translation>não foi possível criar %1: %2</translation>
    </message>
    <message>
        <location line="-55"/>
        <source>%1 lies inside the Windows user&apos;s folder %2, which is only read: choose a folder outside it</source>
        <translation>%1 fica dentro da pasta do usuário do Windows %2, que é apenas lida: escolha uma pasta fora dela</translation>
    </message>
    <message>
        <location line="+9"/>
        <source>Messenger&apos;s folder %1 leads to %2, outside the Windows user&apos;s folder %3: it is not read</source>
        <translation>a pasta do Messenger %1 leva a %2, fora da pasta do usuário do Windows %3: ela não é lida</translation>
    </message>
    <message>
        <location line="+19"/>
        <location line="+7"/>
        <source>Messenger&apos;s folder %1 cannot be read: %2</source>
        <translation>não é possível ler a pasta do Messenger %1: %2</translation>
    </message>
    <message>
        <location line="+7"/>
        <source>Messenger&apos;s folder %1 holds no account</source>
        <translation>a pasta do Messenger %1 não contém nenhuma conta</translation>
    </message>
    <message>
        <location filename="../src/sources/WindowsProfile.cpp" line="+131"/>
        <source>%1 is not a folder</source>
        <translation>%1 não é uma pasta</translation>
    </message>
    <message>
        <location line="+7"/>
        <source>%1 is not the folder of a Windows user (it has neither &quot;Application Data&quot; nor &quot;AppData/Roaming&quot;), and no user&apos;s folder was found in it</source>
        <translation>%1 não é a pasta de um usuário do Windows (não tem &quot;Application Data&quot; nem &quot;AppData/Roaming&quot;), e nenhuma pasta de usuário foi encontrada nela</translation>
    </message>
    <message>
        <location line="+11"/>
        <source>%1 holds the folders of several Windows users; give the one to read:%2</source>
        <translation>%1 contém as pastas de vários usuários do Windows; informe a que deve ser lida:%2</translation>
    </message>
    <message>
        <location line="+43"/>
        <source>the master keys of %1 ask for more hashing than Windows ever needs (over %2 rounds in all), so the password was not checked: its Protect folder or CREDHIST is damaged</source>
        <translation>as chaves mestras de %1 pedem mais cálculo de hash do que o Windows jamais precisa (mais de %2 rodadas no total), então a senha não foi verificada: a pasta Protect ou o CREDHIST está danificado</translation>
    </message>
    <message>
        <location line="+8"/>
        <source>interrupted while checking the password of the Windows profile of %1</source>
        <translation>interrompido durante a verificação da senha do perfil do Windows de %1</translation>
    </message>
    <message>
        <location line="+25"/>
        <source>%1; it opens none of the keys of %2</source>
        <translation>%1; ela não abre nenhuma das chaves de %2</translation>
    </message>
    <message>
        <location line="+19"/>
        <source>%1 has no master keys (in Microsoft/Protect/S-1-5-21-...), so its protected files cannot be read</source>
        <translation>%1 não tem chaves mestras (em Microsoft/Protect/S-1-5-21-...), então seus arquivos protegidos não podem ser lidos</translation>
    </message>
    <message>
        <location filename="../src/protection/WindowsKeyring.cpp" line="+183"/>
        <location filename="../src/sources/WindowsProfile.cpp" line="-34"/>
        <source>the password does not unlock the Windows profile of %1</source>
        <translation>a senha não desbloqueia o perfil do Windows de %1</translation>
    </message>
    <message>
        <location filename="../src/sources/WindowsProfile.cpp" line="+26"/>
        <source>the master key file %1 is damaged or cannot be read</source>
        <translation>o arquivo de chave mestra %1 está danificado ou não pode ser lido</translation>
    </message>
    <message>
        <location filename="../src/protection/WindowsKeyring.cpp" line="-7"/>
        <location filename="../src/sources/WindowsProfile.cpp" line="-22"/>
        <source>the NT hash does not unlock the Windows profile of %1 (the keys of a local account are opened by its password, not by its NT hash: give the password instead)</source>
        <translation>o hash NT não desbloqueia o perfil do Windows de %1 (as chaves de uma conta local são abertas pela senha, não pelo hash NT: informe a senha)</translation>
    </message>
    <message>
        <location line="-85"/>
        <source>the master key %1 is not in %2</source>
        <translation>a chave mestra %1 não está em %2</translation>
    </message>
    <message>
        <location line="+7"/>
        <source>%1 is damaged</source>
        <translation>%1 está danificado</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>opening %1 asks for more hashing than Windows ever needs (over %2 rounds in all): it or CREDHIST is damaged</source>
        <translation>abrir %1 pede mais cálculo de hash do que o Windows jamais precisa (mais de %2 rodadas no total): o arquivo ou o CREDHIST está danificado</translation>
    </message>
    <message>
        <location line="+8"/>
        <source>interrupted while checking the password</source>
        <translation>interrompido durante a verificação da senha</translation>
    </message>
    <message>
        <location line="+14"/>
        <source>%1 cannot be read</source>
        <translation>não é possível ler %1</translation>
    </message>
    <message>
        <location line="+10"/>
        <source>%1 is damaged (it asks for more than %2 rounds of hashing)</source>
        <translation>%1 está danificado (pede mais de %2 rodadas de hash)</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>%1 uses an algorithm Windows never used for it</source>
        <translation>%1 usa um algoritmo que o Windows nunca usou para ele</translation>
    </message>
    <message>
        <location filename="../src/sources/DiskImage.cpp" line="+64"/>
        <source>Quorvane&apos;s disk-image reader (diskimage) is not installed</source>
        <translation>o leitor de imagens de disco do Quorvane (diskimage) não está instalado</translation>
    </message>
    <message>
        <location line="+9"/>
        <source>the disk-image reader could not be started: %1</source>
        <translation>não foi possível iniciar o leitor de imagens de disco: %1</translation>
    </message>
    <message>
        <location line="+7"/>
        <source>reading %1 was cancelled</source>
        <translation>a leitura de %1 foi cancelada</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>reading %1 took far longer than any disk needs, so it was stopped</source>
        <translation>a leitura de %1 demorou muito mais do que qualquer disco precisa, por isso foi interrompida</translation>
    </message>
    <message>
        <location line="+8"/>
        <source>the disk-image reader stopped on %1 (signal %2): the image is damaged or made to do harm</source>
        <translation>o leitor de imagens de disco parou em %1 (sinal %2): a imagem está danificada ou foi feita para causar dano</translation>
    </message>
    <message>
        <location line="+28"/>
        <source>%1 is not a disk image Quorvane can read: there is no NTFS or FAT volume on it</source>
        <translation>%1 não é uma imagem de disco que o Quorvane consiga ler: não há nenhum volume NTFS ou FAT nela</translation>
    </message>
    <message>
        <location line="+42"/>
        <source>not a disk image Quorvane can read: %1</source>
        <translation>não é uma imagem de disco que o Quorvane consiga ler: %1</translation>
    </message>
    <message>
        <location line="-33"/>
        <source>no Windows user folder on any partition of %1</source>
        <translation>nenhuma pasta de usuário do Windows em nenhuma partição de %1</translation>
    </message>
    <message>
        <location line="+46"/>
        <source>%1 (partition %2)</source>
        <translation>%1 (partição %2)</translation>
    </message>
    <message>
        <location line="+19"/>
        <source>%1 holds Messenger data of more than one Windows user: %2</source>
        <translation>%1 contém dados do Messenger de mais de um usuário do Windows: %2</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>%1 has no Windows user named %2 there (users found: %3)</source>
        <translation>%1 não tem nenhum usuário do Windows chamado %2 (usuários encontrados: %3)</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>no Windows user on %1 has Messenger data (users found: %2)</source>
        <translation>nenhum usuário do Windows em %1 tem dados do Messenger (usuários encontrados: %2)</translation>
    </message>
    <message>
        <location line="+54"/>
        <source>the Windows user %1 could not be read from %2: %3</source>
        <translation>não foi possível ler o usuário do Windows %1 de %2: %3</translation>
    </message>
    <message>
        <location line="+12"/>
        <source>the Windows user %1 on %2 has no data protection keys or Messenger folders</source>
        <translation>o usuário do Windows %1 em %2 não tem chaves de proteção de dados nem pastas do Messenger</translation>
    </message>
    <message>
        <location filename="../src/export/ExportManifest.cpp" line="+144"/>
        <source>The export manifest is damaged (%1).</source>
        <translation>O manifesto da exportação está danificado (%1).</translation>
    </message>
    <message>
        <location line="+148"/>
        <source>This is not an export manifest of Quorvane.</source>
        <translation>Este não é um manifesto de exportação do Quorvane.</translation>
    </message>
    <message>
        <location line="+18"/>
        <source>The export manifest is of version %1, which this version of Quorvane does not read.</source>
        <translation>O manifesto da exportação é da versão %1, que esta versão do Quorvane não lê.</translation>
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
        <translation>seu arquivo cabinet não contém nenhum filme Flash</translation>
    </message>
    <message>
        <location line="+40"/>
        <location line="+85"/>
        <source>its movie cannot be rendered: %1</source>
        <translation>não é possível renderizar o filme dele: %1</translation>
    </message>
    <message>
        <location line="-56"/>
        <source>its sound cannot be read: %1</source>
        <translation>não é possível ler o som dele: %1</translation>
    </message>
    <message>
        <location line="+44"/>
        <source>the Flash player drew nothing of it</source>
        <translation>o Flash Player não desenhou nada dele</translation>
    </message>
    <message>
        <location line="+251"/>
        <source>the gallery in %1 could not be written: %2</source>
        <translation>não foi possível gravar a galeria em %1: %2</translation>
    </message>
    <message>
        <location filename="../src/export/GifEncoder.cpp" line="+62"/>
        <source>the GIF could not be encoded: %1</source>
        <translation>não foi possível codificar o GIF: %1</translation>
    </message>
    <message>
        <location filename="../src/export/MovieRenderer.cpp" line="+4"/>
        <source>the movie renderer did not start: %1</source>
        <translation>o renderizador de filmes não foi iniciado: %1</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>the movie renderer stopped responding</source>
        <translation>o renderizador de filmes parou de responder</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>the movie renderer stopped unexpectedly</source>
        <translation>o renderizador de filmes parou inesperadamente</translation>
    </message>
    <message>
        <location line="+43"/>
        <source>the Flash player refused it: %1</source>
        <translation>o Flash Player o recusou: %1</translation>
    </message>
    <message>
        <location line="+35"/>
        <source>the movie cannot be read</source>
        <translation>não é possível ler o filme</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>this movie cannot be played</source>
        <translation>este filme não pode ser reproduzido</translation>
    </message>
    <message>
        <location line="+2"/>
        <location line="+26"/>
        <source>the Flash player stopped on this movie</source>
        <translation>o Flash Player parou neste filme</translation>
    </message>
    <message>
        <location line="-23"/>
        <source>the Flash player is missing from this installation</source>
        <translation>falta o Flash Player nesta instalação</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>it drew nothing</source>
        <translation>ele não desenhou nada</translation>
    </message>
    <message>
        <location line="+57"/>
        <source>the movie renderer is not installed (it needs Qt WebEngine)</source>
        <translation>o renderizador de filmes não está instalado (ele precisa do Qt WebEngine)</translation>
    </message>
    <message>
        <location line="+30"/>
        <source>the movie renderer wrote something else than frames</source>
        <translation>o renderizador de filmes gravou algo que não são quadros</translation>
    </message>
    <message>
        <location filename="../src/export/MovieSound.cpp" line="+461"/>
        <source>the Flash movie&apos;s sound would last more than %1 minutes</source>
        <translation>o som do filme Flash duraria mais de %1 minutos</translation>
    </message>
    <message>
        <location line="+8"/>
        <source>the Flash movie starts more than %1 sounds</source>
        <translation>o filme Flash inicia mais de %1 sons</translation>
    </message>
    <message>
        <location line="+7"/>
        <source>making the Flash movie&apos;s sound track was cancelled</source>
        <translation>a criação da trilha sonora do filme Flash foi cancelada</translation>
    </message>
    <message>
        <location filename="../src/export/RenderWriter.cpp" line="+25"/>
        <source>the render was cancelled</source>
        <translation>a renderização foi cancelada</translation>
    </message>
    <message>
        <location line="+34"/>
        <source>a movie of %1 x %2 pixels is not rendered (at most %3 x %3)</source>
        <translation>um filme de %1 x %2 pixels não é renderizado (no máximo %3 x %3)</translation>
    </message>
    <message>
        <location line="+8"/>
        <source>a movie of %1/%2 frames a second is not rendered (at most %3)</source>
        <translation>um filme de %1/%2 quadros por segundo não é renderizado (no máximo %3)</translation>
    </message>
    <message>
        <location line="+8"/>
        <source>sound of %1 samples a second cannot be encoded</source>
        <translation>não é possível codificar um som de %1 amostras por segundo</translation>
    </message>
    <message>
        <location line="+67"/>
        <source>the render is already finished</source>
        <translation>a renderização já foi concluída</translation>
    </message>
    <message>
        <location line="+13"/>
        <source>a frame of %1 x %2 pixels was given for a render of %3 x %4</source>
        <translation>um quadro de %1 x %2 pixels foi entregue para uma renderização de %3 x %4</translation>
    </message>
    <message>
        <location line="+8"/>
        <source>the movie runs longer than %1 seconds, which is more than a render is made of</source>
        <translation>o filme dura mais de %1 segundos, mais do que uma renderização abrange</translation>
    </message>
    <message>
        <location line="+13"/>
        <source>the first frame could not be saved as a PNG: %1</source>
        <translation>não foi possível salvar o primeiro quadro como PNG: %1</translation>
    </message>
    <message>
        <location line="+48"/>
        <source>the movie gave no frame to render</source>
        <translation>o filme não forneceu nenhum quadro para renderizar</translation>
    </message>
    <message>
        <location filename="../src/export/SwfTags.cpp" line="+22"/>
        <source>the Flash movie is cut short</source>
        <translation>o filme Flash está truncado</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>the Flash movie&apos;s compressed data is damaged</source>
        <translation>os dados compactados do filme Flash estão danificados</translation>
    </message>
    <message>
        <location line="+153"/>
        <source>the file is not a Flash movie</source>
        <translation>o arquivo não é um filme Flash</translation>
    </message>
    <message>
        <location line="+8"/>
        <source>the Flash movie says it holds %1 bytes, more than the %2 MiB this program reads</source>
        <translation>o filme Flash diz que contém %1 bytes, mais do que os %2 MiB que este programa lê</translation>
    </message>
    <message>
        <location line="+7"/>
        <source>the Flash movie&apos;s header is damaged</source>
        <translation>o cabeçalho do filme Flash está danificado</translation>
    </message>
    <message>
        <location line="+30"/>
        <source>the Flash movie&apos;s stage of %1 by %2 pixels cannot be shown</source>
        <translation>o palco de %1 por %2 pixels do filme Flash não pode ser exibido</translation>
    </message>
    <message>
        <location line="+30"/>
        <source>the Flash movie is damaged: its tag %1 runs past its end</source>
        <translation>o filme Flash está danificado: a tag %1 dele ultrapassa o fim do filme</translation>
    </message>
    <message>
        <location filename="../src/export/WebmEncoder.cpp" line="+64"/>
        <location line="+44"/>
        <source>the video could not be encoded: %1</source>
        <translation>não foi possível codificar o vídeo: %1</translation>
    </message>
    <message>
        <location line="-34"/>
        <location line="+103"/>
        <source>the video&apos;s sound could not be encoded: %1</source>
        <translation>não foi possível codificar o som do vídeo: %1</translation>
    </message>
    <message>
        <location filename="../src/export/WebpAnimationEncoder.cpp" line="+15"/>
        <source>the animation could not be encoded: %1</source>
        <translation>não foi possível codificar a animação: %1</translation>
    </message>
</context>
<context>
    <name>quorvane::Words</name>
    <message>
        <location filename="../src/app/Words.cpp" line="+10"/>
        <source>Congratulation! Backup finished successfully.</source>
        <translation>Parabéns! O backup foi concluído com êxito.</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>Please list and select the items to backup.</source>
        <translation>Liste e selecione os itens para o backup.</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>Please enter an valid MSN account.</source>
        <translation>Digite uma conta do MSN válida.</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>Without the password, this command still copies the pictures and cabinets found there:

quorvane-cli rescue --windows-profile &quot;%1&quot; --to FOLDER</source>
        <translation>Sem a senha, este comando ainda copia as imagens e os arquivos CAB encontrados ali:

quorvane-cli rescue --windows-profile &quot;%1&quot; --to FOLDER</translation>
    </message>
    <message>
        <location line="+8"/>
        <source>Without the password, this command still copies the pictures and cabinets found there:

quorvane-cli rescue --disk-image &quot;%1&quot; --to FOLDER</source>
        <translation>Sem a senha, este comando ainda copia as imagens e os arquivos cabinet encontrados lá:

quorvane-cli rescue --disk-image &quot;%1&quot; --to FOLDER</translation>
    </message>
</context>
<context>
    <name>quorvane::cli</name>
    <message>
        <location filename="../src/cli/AccountAccess.cpp" line="+24"/>
        <source>the account&apos;s sign-in name, typed exactly as at sign-in (upper and lower case count)</source>
        <translation>o nome de entrada da conta, digitado exatamente como ao entrar (maiúsculas e minúsculas fazem diferença)</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>the Wine prefix Messenger runs in (default: $WINEPREFIX, else ~/.wine)</source>
        <translation>o prefixo do Wine em que o Messenger é executado (padrão: $WINEPREFIX, senão ~/.wine)</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>the Wine user Messenger ran as (default: $USER); its name is part of the key that protects the catalogues</source>
        <translation>o usuário do Wine com que o Messenger foi executado (padrão: $USER); o nome dele faz parte da chave que protege os catálogos</translation>
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
        <translation>a opção --%1 não pode ficar vazia</translation>
    </message>
    <message>
        <location filename="../src/app/ListingWords.cpp" line="+24"/>
        <source>%1 does not exist</source>
        <translation>%1 não existe</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>%1 cannot be read: %2</source>
        <translation>não é possível ler %1: %2</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>%1 is empty</source>
        <translation>%1 está vazio</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>%1 is damaged: it is not a protected file Messenger could have written (truncated or changed)</source>
        <translation>%1 está danificado: não é um arquivo protegido que o Messenger poderia ter gravado (truncado ou alterado)</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>%1 was protected with a master key that is not in %2</source>
        <translation>%1 foi protegido com uma chave mestra que não está em %2</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>the password does not unlock the Windows profile of %1</source>
        <translation>a senha não desbloqueia o perfil do Windows de %1</translation>
    </message>
    <message>
        <location line="+9"/>
        <source>%1 could not be unprotected with the passport &quot;%2&quot;: it was protected for another passport, or changed</source>
        <translation>não foi possível desproteger %1 com o passport &quot;%2&quot;: ele foi protegido para outro passport, ou foi alterado</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>%1 could not be unprotected with the passport &quot;%2&quot; as the Wine user &quot;%3&quot;</source>
        <translation>não foi possível desproteger %1 com o passport &quot;%2&quot; como o usuário do Wine &quot;%3&quot;</translation>
    </message>
    <message>
        <location line="+10"/>
        <source>the %1 of &quot;%2&quot; cannot be listed: %3.</source>
        <translation>não é possível listar %1 de &quot;%2&quot;: %3.</translation>
    </message>
    <message>
        <location line="+8"/>
        <source>The passport must be typed exactly as at sign-in, with the same upper and lower case, and Messenger must have run as the Wine user &quot;%1&quot; (see --wine-user).</source>
        <translation>O passport deve ser digitado exatamente como ao entrar, com as mesmas maiúsculas e minúsculas, e o Messenger deve ter sido executado como o usuário do Wine &quot;%1&quot; (veja --wine-user).</translation>
    </message>
    <message>
        <location line="+20"/>
        <source>Quorvane&apos;s own folder %1 cannot be used: %2.</source>
        <translation>A pasta do próprio Quorvane, %1, não pode ser usada: %2.</translation>
    </message>
    <message>
        <location line="+9"/>
        <source>there is no Messenger data (%1) for the passport &quot;%2&quot; at %3 (no map.dat there).</source>
        <translation>não há dados do Messenger (%1) para o passport &quot;%2&quot; em %3 (não há map.dat ali).</translation>
    </message>
    <message>
        <location line="+8"/>
        <source>Check the passport and that Messenger signed in with it as the Windows user of %1.</source>
        <translation>Verifique o passport e se o Messenger entrou com ele como o usuário do Windows de %1.</translation>
    </message>
    <message>
        <location line="+7"/>
        <source>The folder %1 does not exist: check --wine-prefix and --wine-user.</source>
        <translation>A pasta %1 não existe: verifique --wine-prefix e --wine-user.</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>Check the passport and that Messenger signed in with it in the Wine prefix %1 as the Wine user &quot;%2&quot;.</source>
        <translation>Verifique o passport e se o Messenger entrou com ele no prefixo do Wine %1 como o usuário do Wine &quot;%2&quot;.</translation>
    </message>
    <message>
        <location line="+13"/>
        <source>%1 names no catalogue file in %2.</source>
        <translation>%1 não cita nenhum arquivo de catálogo em %2.</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>the %1 cannot be listed by this kind of list.</source>
        <translation>não é possível listar %1 com este tipo de lista.</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>the %1 could not be listed.</source>
        <translation>não foi possível listar %1.</translation>
    </message>
    <message numerus="yes">
        <location line="+16"/>
        <source>%n whose file is missing or not a regular file</source>
        <translation>
            <numerusform>%n cujo arquivo está ausente ou não é um arquivo comum</numerusform>
            <numerusform>%n cujos arquivos estão ausentes ou não são arquivos comuns</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <location line="+4"/>
        <source>%n without a picture that can be shown</source>
        <translation>
            <numerusform>%n sem uma imagem que possa ser exibida</numerusform>
            <numerusform>%n sem uma imagem que possa ser exibida</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <location line="+6"/>
        <source>%n whose Location is not a plain file name (unsafe)</source>
        <translation>
            <numerusform>%n cujo Location não é um nome de arquivo simples (inseguro)</numerusform>
            <numerusform>%n cujos Location não são nomes de arquivo simples (inseguros)</numerusform>
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
            <numerusform>%n de %n objeto do catálogo foi deixado de fora: %1.</numerusform>
            <numerusform>%n de %n objetos do catálogo foram deixados de fora: %1.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <location line="+5"/>
        <source>%n of %1 catalogue objects was left out: %2.</source>
        <translation>
            <numerusform>%n de %1 objetos do catálogo foi deixado de fora: %2.</numerusform>
            <numerusform>%n de %1 objetos do catálogo foram deixados de fora: %2.</numerusform>
        </translation>
    </message>
    <message>
        <location filename="../src/cli/AccountAccess.cpp" line="+15"/>
        <source>another Quorvane is working on the account &quot;%1&quot;; try again when it has finished.</source>
        <translation>outro Quorvane está trabalhando na conta &quot;%1&quot;; tente novamente quando ele terminar.</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>Quorvane&apos;s own folder cannot be used: %1.</source>
        <translation>A pasta do próprio Quorvane não pode ser usada: %1.</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>interrupted while waiting for another Quorvane to finish with the account &quot;%1&quot;.</source>
        <translation>interrompido enquanto esperava outro Quorvane terminar de usar a conta &quot;%1&quot;.</translation>
    </message>
    <message>
        <location filename="../src/cli/ItemChoice.cpp" line="+38"/>
        <source>--items takes item numbers separated by commas (&quot;0,2,5&quot;), not &quot;%1&quot;</source>
        <translation>--items recebe números de itens separados por vírgulas (&quot;0,2,5&quot;), não &quot;%1&quot;</translation>
    </message>
    <message>
        <location line="+9"/>
        <source>--items: there is no item %1</source>
        <translation>--items: não existe o item %1</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>--items names item %1 twice</source>
        <translation>--items cita o item %1 duas vezes</translation>
    </message>
    <message>
        <location line="+15"/>
        <source>--all and --items cannot be given together</source>
        <translation>--all e --items não podem ser usadas juntas</translation>
    </message>
    <message>
        <location line="+27"/>
        <source>--items names item %1, which is not in the listing (items 0 to %2; see &quot;%3&quot;)</source>
        <translation>--items cita o item %1, que não está na listagem (itens 0 a %2; veja &quot;%3&quot;)</translation>
    </message>
    <message>
        <location filename="../src/cli/BackupCommand.cpp" line="+8"/>
        <source>Choose them with --all or --items (numbers as &quot;%1&quot; shows them).</source>
        <translation>Escolha-os com --all ou --items (com os números que &quot;%1&quot; mostra).</translation>
    </message>
    <message numerus="yes">
        <location line="+29"/>
        <source>interrupted; %1 of %n items were written.</source>
        <translation>
            <numerusform>interrompido; %1 de %n item foi gravado.</numerusform>
            <numerusform>interrompido; %1 de %n itens foram gravados.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <location line="+7"/>
        <source>%1 of %n items could not be written.</source>
        <translation>
            <numerusform>%1 de %n item não pôde ser gravado.</numerusform>
            <numerusform>%1 de %n itens não puderam ser gravados.</numerusform>
        </translation>
    </message>
    <message>
        <location line="+7"/>
        <location filename="../src/cli/ExportCommand.cpp" line="+86"/>
        <source>cannot write the outcome to the standard output</source>
        <translation>não é possível gravar o resultado na saída padrão</translation>
    </message>
    <message>
        <location line="+16"/>
        <source>Back up items of one content type, as Backup Now does.</source>
        <translation>Faz o backup dos itens de um tipo de conteúdo, como o botão Fazer Backup.</translation>
    </message>
    <message>
        <location line="+8"/>
        <source>the backup folder; the files go into a subfolder per content type</source>
        <translation>a pasta de backup; os arquivos vão para uma subpasta por tipo de conteúdo</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>back up every listed item, in list order</source>
        <translation>faz o backup de todos os itens listados, na ordem da lista</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>back up these items, in this order (numbers as &quot;quorvane-cli list&quot; shows them)</source>
        <translation>faz o backup destes itens, nesta ordem (com os números que &quot;quorvane-cli list&quot; mostra)</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>Content types (as in &quot;list&quot;) and the subfolders of the backup folder:</source>
        <translation>Tipos de conteúdo (como em &quot;list&quot;) e as subpastas da pasta de backup:</translation>
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
        <translation>Primeiro os itens são listados, exatamente como &quot;quorvane-cli list&quot; os lista.
Cada piscadela, imagem de exibição dinâmica e plano de fundo dinâmico vira um
pacote .msn selado com o nome dele; os emoticons personalizados escolhidos vão
juntos para um único pacote .msn com a data; os planos de fundo comuns e as
imagens de exibição são copiados como estão. Um arquivo de mesmo nome de um
backup anterior é substituído, mas só por um novo arquivo completo: cada arquivo
é gravado com um nome temporário oculto e depois renomeado para o lugar certo.
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
        <translation>Uma linha por item escolhido na saída padrão, com campos separados por
tabulações: número do item, nome de exibição e então &quot;written&quot; e o arquivo
gravado, ou &quot;failed&quot; e o motivo (com escapes como em &quot;list&quot;). Quando todos os
itens foram gravados, a última linha é &quot;%1&quot;; caso contrário, a
saída de erro padrão informa quantos não puderam ser gravados.
</translation>
    </message>
    <message>
        <location line="+9"/>
        <source>An interrupt (Ctrl-C, SIGTERM) stops the backup after the item it is on; the
items not reached are reported as not written.
</source>
        <translation>Uma interrupção (Ctrl-C, SIGTERM) para o backup depois do item em andamento;
os itens não alcançados são informados como não gravados.
</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>Exit status: 0 when every chosen item was written; 1 when some could not be,
nothing can be listed or none is chosen, or the passport cannot be an account;
2 for a wrong command line (also an item number that is not in the listing);
130 or 143 after an interrupt.
</source>
        <translation>Código de saída: 0 quando todos os itens escolhidos foram gravados; 1 quando
algum não pôde ser gravado, nada pode ser listado ou nenhum foi escolhido, ou
quando o passport não pode ser uma conta; 2 para uma linha de comando errada
(inclusive um número de item que não está na listagem); 130 ou 143 após uma
interrupção.
</translation>
    </message>
    <message>
        <location filename="../src/cli/CatalogueCommand.cpp" line="+46"/>
        <source>nothing could be listed.</source>
        <translation>nada pôde ser listado.</translation>
    </message>
    <message>
        <location line="+10"/>
        <location filename="../src/cli/ListCommand.cpp" line="+47"/>
        <source>cannot write the listing to the standard output</source>
        <translation>não é possível gravar a listagem na saída padrão</translation>
    </message>
    <message>
        <location line="+46"/>
        <source>List the objects of one content type that Messenger keeps for an account.</source>
        <translation>Lista os objetos de um tipo de conteúdo que o Messenger guarda para uma conta.</translation>
    </message>
    <message>
        <location line="+8"/>
        <location filename="../src/cli/ListCommand.cpp" line="+22"/>
        <source>Content types:</source>
        <translation>Tipos de conteúdo:</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>One line per object on the standard output, fields separated by tabs: index (from 0),
file name in the object folder, tag (content id of packaged objects, key sequence of
emoticons, else empty) and display name, in UTF-8. A backslash, tab, line break or
other control character in a field is written as a backslash escape.
</source>
        <translation>Uma linha por objeto na saída padrão, com campos separados por tabulações:
índice (a partir de 0), nome do arquivo na pasta de objetos, etiqueta (id de
conteúdo dos objetos empacotados, sequência de teclas dos emoticons, senão
vazia) e nome de exibição, em UTF-8. Uma barra invertida, tabulação, quebra de
linha ou outro caractere de controle num campo é gravado como um escape com
barra invertida.
</translation>
    </message>
    <message>
        <location line="+9"/>
        <source>Exit status: 0 when the catalogue was read (also when it lists nothing), 1 when
nothing could be listed (the reason goes to the standard error), 2 for a wrong
command line.
</source>
        <translation>Código de saída: 0 quando o catálogo foi lido (também quando não lista nada), 1
quando nada pôde ser listado (o motivo vai para a saída de erro padrão), 2 para
uma linha de comando errada.
</translation>
    </message>
    <message>
        <location filename="../src/cli/CliOptions.cpp" line="+59"/>
        <source>show this help and exit</source>
        <translation>mostra esta ajuda e sai</translation>
    </message>
    <message>
        <location line="+112"/>
        <source>missing --%1</source>
        <translation>falta a opção --%1</translation>
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
        <translation>opção desconhecida &quot;%1&quot;</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>--%1 is given more than once</source>
        <translation>a opção --%1 aparece mais de uma vez</translation>
    </message>
    <message>
        <location line="+7"/>
        <source>--%1 takes no value</source>
        <translation>a opção --%1 não aceita valor</translation>
    </message>
    <message>
        <location line="+7"/>
        <source>--%1 needs a value (%2)</source>
        <translation>a opção --%1 precisa de um valor (%2)</translation>
    </message>
    <message>
        <location line="+15"/>
        <source>Usage: %1 %2</source>
        <translation>Uso: %1 %2</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Options:</source>
        <translation>Opções:</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>Run &quot;%1 %2 --help&quot; for more.</source>
        <translation>Execute &quot;%1 %2 --help&quot; para saber mais.</translation>
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
        <translation>Execute &quot;%1 COMMAND --help&quot; para ver as opções de um comando.</translation>
    </message>
    <message>
        <location line="+13"/>
        <source>no command given</source>
        <translation>nenhum comando informado</translation>
    </message>
    <message>
        <location line="+18"/>
        <source>unknown command &quot;%1&quot;</source>
        <translation>comando desconhecido &quot;%1&quot;</translation>
    </message>
    <message>
        <location filename="../src/cli/ContentListing.cpp" line="+16"/>
        <source>the content type: a number 0 to 5 or its name (see below)</source>
        <translation>o tipo de conteúdo: um número de 0 a 5 ou o nome dele (veja abaixo)</translation>
    </message>
    <message>
        <location line="+25"/>
        <source>unknown --type &quot;%1&quot;: use a number 0 to 5 or one of %2</source>
        <translation>valor &quot;%1&quot; desconhecido para --type: use um número de 0 a 5 ou um destes: %2</translation>
    </message>
    <message>
        <location line="+28"/>
        <source>Qt cannot read PNG, JPEG and GIF pictures here (its image format plugins are missing), so no %1 can be shown.</source>
        <translation>O Qt não consegue ler imagens PNG, JPEG e GIF aqui (faltam os plugins de formato de imagem dele), então nenhum item de %1 pode ser exibido.</translation>
    </message>
    <message>
        <location filename="../src/app/ListingWords.cpp" line="+10"/>
        <source>interrupted; nothing was listed.</source>
        <translation>interrompido; nada foi listado.</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>the %1 cannot be listed: %2.</source>
        <translation>não é possível listar %1: %2.</translation>
    </message>
    <message>
        <location line="+7"/>
        <source>there is nothing to list among the %1 of &quot;%2&quot;: the catalogue names no object, or none whose file holds a picture that can be shown.</source>
        <translation>não há nada para listar em %1 de &quot;%2&quot;: o catálogo não cita nenhum objeto, ou nenhum cujo arquivo contenha uma imagem que possa ser exibida.</translation>
    </message>
    <message>
        <location filename="../src/cli/DemoCommand.cpp" line="+4"/>
        <source>no Wine user name is known ($USER is not set); give one with --wine-user.</source>
        <translation>nenhum nome de usuário do Wine é conhecido ($USER não está definida); informe um com --wine-user.</translation>
    </message>
    <message>
        <location line="+11"/>
        <source>the demo account cannot be written: %1.</source>
        <translation>não é possível gravar a conta de demonstração: %1.</translation>
    </message>
    <message>
        <location line="+18"/>
        <source>cannot write to the standard output</source>
        <translation>não é possível gravar na saída padrão</translation>
    </message>
    <message>
        <location line="+33"/>
        <source>Write a demo Messenger account to try Quorvane without one.</source>
        <translation>Grava uma conta de demonstração do Messenger para você experimentar o Quorvane sem ter uma.</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>the Wine user to write the account for (default: $USER); &quot;list&quot; and &quot;backup&quot; must then be given the same user</source>
        <translation>o usuário do Wine para o qual a conta é gravada (padrão: $USER); &quot;list&quot; e &quot;backup&quot; devem então receber o mesmo usuário</translation>
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
        <translation>A conta de demonstração, %1, é gravada em um prefixo do Wine
do próprio Quorvane, $XDG_DATA_HOME/quorvane/demo-wine (senão
~/.local/share/quorvane/demo-wine), exatamente como o Messenger guarda uma
conta: catálogos protegidos, arquivos CAB com uma imagem e uma animação Flash,
imagens. Ela contém todos os tipos de conteúdo: 6 piscadelas, 4 imagens de
exibição dinâmicas, 3 planos de fundo dinâmicos, 8 emoticons personalizados, 4
planos de fundo e 4 imagens de exibição. Uma conta de demonstração completa é
mantida como está; o que estiver faltando ou danificado é gravado de novo. Nada
fora do prefixo da demonstração e da pasta temporária do Quorvane é alterado.
</translation>
    </message>
    <message>
        <location line="+12"/>
        <source>Four lines on the standard output, in UTF-8: the Wine prefix, the Wine user,
the passport, and a &quot;list&quot; command line for the demo&apos;s Winks, ready to paste.
</source>
        <translation>Quatro linhas na saída padrão, em UTF-8: o prefixo do Wine, o usuário do Wine,
o passport e uma linha de comando &quot;list&quot; para as piscadelas da demonstração,
pronta para colar.
</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>Exit status: 0 when the demo account is there, 1 when it cannot be written
(the reason goes to the standard error), 2 for a wrong command line.
</source>
        <translation>Código de saída: 0 quando a conta de demonstração está pronta, 1 quando não é
possível gravá-la (o motivo vai para a saída de erro padrão), 2 para uma linha
de comando errada.
</translation>
    </message>
    <message>
        <location filename="../src/cli/ListCommand.cpp" line="-8"/>
        <source>Show the items of one content type that List shows, ready for backup.</source>
        <translation>Mostra os itens de um tipo de conteúdo que Listar mostra, prontos para o backup.</translation>
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
        <translation>Ao contrário de &quot;catalogue&quot;, este comando examina os objetos: piscadelas,
imagens de exibição dinâmicas e planos de fundo dinâmicos são extraídos para uma
pasta temporária do próprio Quorvane (em $XDG_CACHE_HOME/quorvane, removida
depois; as pastas do Messenger são apenas lidas) e devem conter uma imagem PNG,
JPEG ou GIF; os outros tipos devem ser eles mesmos uma imagem. Os objetos sem
imagem são deixados de fora, e a saída de erro padrão informa quantos e por quê.
Quando a ferramenta de arquivos CAB não consegue fazer seu trabalho (ela está
ausente ou foi encerrada, ou a pasta temporária não pode ser gravada), nada é
listado e a saída de erro padrão informa o motivo. Um nome de exibição com menos
de dois caracteres é substituído pelo nome da imagem do objeto.
</translation>
    </message>
    <message>
        <location line="+13"/>
        <source>One line per item on the standard output, fields separated by tabs: item number
(what &quot;backup --items&quot; takes), display name and file name in the object folder,
in UTF-8. A backslash, tab, line break or other control character in a field is
written as a backslash escape.
</source>
        <translation>Uma linha por item na saída padrão, com campos separados por tabulações: número
do item (o que &quot;backup --items&quot; recebe), nome de exibição e nome do arquivo na
pasta de objetos, em UTF-8. Uma barra invertida, tabulação, quebra de linha ou
outro caractere de controle num campo é gravado como um escape com barra
invertida.
</translation>
    </message>
    <message>
        <location line="+8"/>
        <source>Exit status: 0 when at least one item was listed, 1 when nothing can be listed
or the passport cannot be an account (the reason goes to the standard error), 2
for a wrong command line, 130 or 143 after an interrupt (SIGINT, SIGTERM).
</source>
        <translation>Código de saída: 0 quando pelo menos um item foi listado, 1 quando nada pode ser
listado ou o passport não pode ser uma conta (o motivo vai para a saída de erro
padrão), 2 para uma linha de comando errada, 130 ou 143 após uma interrupção
(SIGINT, SIGTERM).
</translation>
    </message>
    <message>
        <location filename="../src/cli/VerifyCommand.cpp" line="+24"/>
        <source>name at least one pack to verify</source>
        <translation>indique pelo menos um pacote para verificar</translation>
    </message>
    <message>
        <location filename="../src/cli/RescueCommand.cpp" line="+17"/>
        <location filename="../src/cli/VerifyCommand.cpp" line="+9"/>
        <source>Quorvane&apos;s own folder cannot be used: %1</source>
        <translation>A pasta do próprio Quorvane não pode ser usada: %1</translation>
    </message>
    <message>
        <location line="+35"/>
        <source>cabinets keep their own names, as none could be looked into: %1</source>
        <translation>os arquivos CAB mantêm seus próprios nomes, pois nenhum pôde ser examinado: %1</translation>
    </message>
    <message numerus="yes">
        <location line="+9"/>
        <source>%1 of %n files could not be written.</source>
        <translation>
            <numerusform>%1 de %n arquivo não pôde ser gravado.</numerusform>
            <numerusform>%1 de %n arquivos não puderam ser gravados.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <location line="+6"/>
        <source>%n files rescued into %1.</source>
        <translation>
            <numerusform>%n arquivo resgatado em %1.</numerusform>
            <numerusform>%n arquivos resgatados em %1.</numerusform>
        </translation>
    </message>
    <message>
        <location line="+6"/>
        <source>cannot write the report to the standard output</source>
        <translation>não é possível gravar o relatório na saída padrão</translation>
    </message>
    <message>
        <location line="+18"/>
        <source>Copy Messenger&apos;s pictures and cabinets from a Windows user&apos;s folder without the password.</source>
        <translation>Copia as imagens e os arquivos CAB do Messenger da pasta de um usuário do Windows sem a senha.</translation>
    </message>
    <message>
        <location line="+7"/>
        <source>the Windows user&apos;s folder (&quot;Documents and Settings/NAME&quot; or &quot;Users/NAME&quot; on an old disk)</source>
        <translation>a pasta do usuário do Windows (&quot;Documents and Settings/NAME&quot; ou &quot;Users/NAME&quot; em um disco antigo)</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>the folder to copy into, outside the Windows user&apos;s folder; a subfolder per account and content type</source>
        <translation>a pasta para onde copiar, fora da pasta do usuário do Windows; uma subpasta por conta e tipo de conteúdo</translation>
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
        <translation>Sem a senha do Windows, os catálogos do Messenger não podem ser lidos e,
portanto, nenhum backup pode ser feito. Este comando salva o que pode ser salvo
sem eles: todo arquivo comum nas pastas das contas em &quot;Microsoft/MSN Messenger&quot;
cujo conteúdo seja um arquivo CAB ou uma imagem GIF, PNG, JPEG ou BMP é copiado
para DIR/&lt;conta&gt;/&lt;pasta como no disco&gt;/&lt;nome&gt;. Nada mais é copiado (os catálogos
protegidos e os arquivos map.dat não são), links, FIFOs e dispositivos são
ignorados, e a pasta do usuário é apenas lida: DIR não pode ficar dentro dela, e
uma pasta do Messenger que sai dela por um link não é lida. As pastas do próprio
Messenger (Winks3, UserTile...) são examinadas primeiro; no máximo 200000
entradas de cada pasta são examinadas.
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
        <translation>Uma linha por arquivo copiado na saída padrão, com campos separados por
tabulações: o arquivo gravado, o tipo dele (cabinet, gif, png, jpeg ou bmp) e o
arquivo de onde ele foi copiado (com escapes como em &quot;list&quot;). Os arquivos que
não podem ser lidos ou gravados, e as pastas não examinadas, são citados na
saída de erro padrão e o resgate continua; a última linha ali informa quantos
arquivos foram resgatados. Um resgate interrompido no meio deixa arquivos
ocultos &quot;.quorvane-*.part&quot;, que o próximo resgate em DIR remove.
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
        <translation>Código de saída: 0 quando arquivos foram resgatados e tudo nas pastas das
contas foi examinado e copiado; 1 quando nenhum foi resgatado, um arquivo não
pôde ser lido ou gravado, algo não foi examinado, ou a pasta não pode ser lida
ou DIR não pode ser usada; 2 para uma linha de comando errada; 130 ou 143 após
uma interrupção (SIGINT, SIGTERM: o resgate para depois do arquivo em que está,
e os arquivos copiados até então são informados).
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
        <translation>Os nomes vêm dos próprios arquivos: um arquivo CAB recebe o nome de exibição do
seu content.xml, quando ele tem um (o arquivo CAB é extraído na pasta do próprio
Quorvane, em $XDG_CACHE_HOME), senão o arquivo mantém o nome que tem; a extensão
é ajustada ao conteúdo. Um arquivo CAB é salvo com &quot;.cab&quot;: ele é um objeto como
o Messenger o instalou, não um pacote .msn (um pacote é selado e traz o carimbo
que só o catálogo contém), então o Messenger não consegue instalá-lo de novo,
mas qualquer ferramenta de arquivos CAB o abre. Nada é sobrescrito: um nome já
em uso ganha &quot; (2)&quot;, &quot; (3)&quot;... Cada arquivo é gravado inteiro ou não é gravado.
</translation>
    </message>
    <message>
        <location line="-133"/>
        <source>give either --windows-profile or --disk-image</source>
        <translation>informe --windows-profile ou --disk-image, um dos dois</translation>
    </message>
    <message>
        <location line="+145"/>
        <source>Before the first file, DIR/RESCUE.txt gets a paragraph saying that the files
were copied by their content without the catalogue, from which folder and when,
so the folder is never taken for a backup.
</source>
        <translation>Antes do primeiro arquivo, DIR/RESCUE.txt recebe um parágrafo dizendo que os
arquivos foram copiados pelo conteúdo, sem o catálogo, de qual pasta e quando,
para que a pasta nunca seja confundida com um backup.
</translation>
    </message>
    <message>
        <location filename="../src/cli/VerifyCommand.cpp" line="+23"/>
        <source>cannot write the results to the standard output</source>
        <translation>não é possível gravar os resultados na saída padrão</translation>
    </message>
    <message numerus="yes">
        <location line="+9"/>
        <source>%1 of %n packs are not sound.</source>
        <translation>
            <numerusform>%1 de %n pacote não está íntegro.</numerusform>
            <numerusform>%1 de %n pacotes não estão íntegros.</numerusform>
        </translation>
    </message>
    <message>
        <location line="+14"/>
        <source>Check .msn packs the way Messenger will read them.</source>
        <translation>Verifica pacotes .msn do jeito que o Messenger vai lê-los.</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>Each pack is checked on a copy in Quorvane&apos;s own folder (under
$XDG_CACHE_HOME): its seal is undone, the cabinet expanded and its content.xml
must be well-formed XML that names only files the pack holds, and the pack
must hold nothing else. The packs themselves are not changed.
</source>
        <translation>Cada pacote é verificado em uma cópia na pasta do próprio Quorvane (em
$XDG_CACHE_HOME): o selo é removido, o arquivo CAB é extraído e o content.xml
dele deve ser um XML bem formado que cite apenas arquivos contidos no pacote, e
o pacote não deve conter mais nada. Os pacotes em si não são alterados.
</translation>
    </message>
    <message>
        <location line="+9"/>
        <source>One line per pack on the standard output, fields separated by tabs: &quot;ok&quot;, the
pack and the files it holds, or &quot;bad&quot;, the pack and the reason (escaped as in
&quot;list&quot;).
</source>
        <extracomment>&quot;ok&quot; and &quot;bad&quot; are the words the program prints; they stay as they are.</extracomment>
        <translation>Uma linha por pacote na saída padrão, com campos separados por tabulações:
&quot;ok&quot;, o pacote e os arquivos que ele contém, ou &quot;bad&quot;, o pacote e o motivo (com
escapes como em &quot;list&quot;).
</translation>
    </message>
    <message>
        <location line="+7"/>
        <source>Exit status: 0 when every pack is sound, 1 when any is not, 2 for a wrong
command line.
</source>
        <translation>Código de saída: 0 quando todos os pacotes estão íntegros, 1 quando algum não
está, 2 para uma linha de comando errada.
</translation>
    </message>
    <message>
        <location filename="../src/cli/UnprotectCommand.cpp" line="+6"/>
        <source>--entropy-hex takes hexadecimal digits in pairs</source>
        <translation>--entropy-hex recebe dígitos hexadecimais em pares</translation>
    </message>
    <message>
        <location line="+8"/>
        <source>--print-masterkey takes a GUID (xxxxxxxx-xxxx-xxxx-xxxx-xxxxxxxxxxxx)</source>
        <translation>--print-masterkey recebe um GUID (xxxxxxxx-xxxx-xxxx-xxxx-xxxxxxxxxxxx)</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>give either FILE or --print-masterkey GUID</source>
        <translation>informe FILE ou --print-masterkey GUID (apenas um dos dois)</translation>
    </message>
    <message>
        <location line="-50"/>
        <source>%1 cannot be read: %2.</source>
        <translation>não é possível ler %1: %2.</translation>
    </message>
    <message>
        <location line="+13"/>
        <source>%1 uses an algorithm Windows data protection never used.</source>
        <translation>%1 usa um algoritmo que a proteção de dados do Windows nunca usou.</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>%1 is damaged (it is not a whole Windows data protection blob).</source>
        <translation>%1 está danificado (não é um blob completo da proteção de dados do Windows).</translation>
    </message>
    <message>
        <location line="+63"/>
        <source>%1 is damaged (its signature does not match).</source>
        <translation>%1 está danificado (a assinatura dele não confere).</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>If it was protected with entropy, give that with --entropy-hex.</source>
        <translation>Se ele foi protegido com entropia, informe-a com --entropy-hex.</translation>
    </message>
    <message>
        <location line="+19"/>
        <source>Decrypt one file protected by a Windows user, to check a password.</source>
        <translation>Descriptografa um arquivo protegido por um usuário do Windows, para verificar uma senha.</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>the user&apos;s master keys: .../Microsoft/Protect/SID</source>
        <translation>as chaves mestras do usuário: .../Microsoft/Protect/SID</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>the user&apos;s SID, the name of that folder (S-1-5-21-...)</source>
        <translation>o SID do usuário, o nome dessa pasta (S-1-5-21-...)</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>the entropy the file was protected with, in hexadecimal</source>
        <translation>a entropia com que o arquivo foi protegido, em hexadecimal</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>print that master key, unlocked, in hexadecimal instead</source>
        <translation>em vez disso, mostra essa chave mestra, desbloqueada, em hexadecimal</translation>
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
        <translation>Grava os bytes em claro de FILE (um blob da proteção de dados do Windows, ou um
arquivo do Messenger que contenha um) na saída padrão. A senha é lida da entrada
padrão com --password-stdin, senão é pedida no terminal; ela nunca é recebida
por um argumento nem gravada em lugar nenhum. As chaves mestras criadas com uma
senha anterior são abertas por meio do arquivo CREDHIST ao lado de DIR.
--nt-hash abre as chaves de uma conta de domínio; as de uma conta local são
abertas pela senha, não pelo hash NT.
</translation>
    </message>
    <message>
        <location line="+11"/>
        <source>Exit status: 0 when it was decrypted, 1 for a wrong password, a missing or
damaged master key or a damaged file (the reason goes to the standard error),
2 for a wrong command line, 130 or 143 when SIGINT or SIGTERM stopped it.
</source>
        <translation>Código de saída: 0 quando o arquivo foi descriptografado, 1 para uma senha
errada, uma chave mestra ausente ou danificada ou um arquivo danificado (o
motivo vai para a saída de erro padrão), 2 para uma linha de comando errada,
130 ou 143 quando SIGINT ou SIGTERM o interrompeu.
</translation>
    </message>
    <message>
        <location filename="../src/cli/WindowsAccess.cpp" line="+40"/>
        <source>the password on standard input is longer than %1 bytes</source>
        <translation>a senha na entrada padrão tem mais de %1 bytes</translation>
    </message>
    <message>
        <location line="+10"/>
        <source>the password could not be read from standard input: %1</source>
        <translation>não foi possível ler a senha da entrada padrão: %1</translation>
    </message>
    <message>
        <location line="+38"/>
        <source>read the Windows user&apos;s password from standard input (else it is asked for on the terminal)</source>
        <translation>lê a senha do usuário do Windows da entrada padrão (senão ela é pedida no terminal)</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>the NT hash of the Windows password (32 hexadecimal digits), in place of the password; it opens the keys of a domain account only (a local account&apos;s keys need its password)</source>
        <translation>o hash NT da senha do Windows (32 dígitos hexadecimais), no lugar da senha; ele abre apenas as chaves de uma conta de domínio (as de uma conta local precisam da senha)</translation>
    </message>
    <message>
        <location line="+13"/>
        <source>read the account from a Windows user&apos;s folder (&quot;Documents and Settings/NAME&quot; or &quot;Users/NAME&quot; on an old disk) instead of the Wine prefix</source>
        <translation>lê a conta da pasta de um usuário do Windows (&quot;Documents and Settings/NAME&quot; ou &quot;Users/NAME&quot; em um disco antigo) em vez do prefixo do Wine</translation>
    </message>
    <message>
        <location line="+18"/>
        <source>give either --password-stdin or --nt-hash</source>
        <translation>informe --password-stdin ou --nt-hash, não ambos</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>--nt-hash takes 32 hexadecimal digits</source>
        <translation>--nt-hash recebe 32 dígitos hexadecimais</translation>
    </message>
    <message>
        <location line="+11"/>
        <source>Windows password of %1: </source>
        <translation>Senha do Windows de %1: </translation>
    </message>
    <message>
        <location line="+12"/>
        <source>the Windows password is needed: give --password-stdin (or --nt-hash), or run on a terminal to be asked</source>
        <translation>a senha do Windows é necessária: informe --password-stdin (ou --nt-hash), ou execute em um terminal para que ela seja pedida</translation>
    </message>
    <message>
        <location line="+21"/>
        <source>--password-stdin and --nt-hash go with --windows-profile</source>
        <translation>--password-stdin e --nt-hash só podem ser usadas com --windows-profile</translation>
    </message>
    <message>
        <location line="+7"/>
        <source>--windows-profile cannot be used with --wine-prefix or --wine-user</source>
        <translation>--windows-profile não pode ser usada com --wine-prefix nem com --wine-user</translation>
    </message>
    <message>
        <location filename="../src/cli/DiskImageAccess.cpp" line="-34"/>
        <source>read the account from an old computer&apos;s disk image (raw, .001, VMDK, VHD, VHDX or E01), which is only read, instead of the Wine prefix</source>
        <translation>ler a conta da imagem de disco de um computador antigo (raw, .001, VMDK, VHD, VHDX ou E01), que só é lida, em vez do prefixo do Wine</translation>
    </message>
    <message>
        <location line="+7"/>
        <source>with --disk-image: the Windows user to read, when more than one on the disk has Messenger data</source>
        <translation>com --disk-image: o usuário do Windows a ler, quando mais de um no disco tem dados do Messenger</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>with --disk-image: the partition to read (from 1), when that user&apos;s name is on more than one</source>
        <translation>com --disk-image: a partição a ler (a partir de 1), quando o nome desse usuário está em mais de uma</translation>
    </message>
    <message>
        <location line="+14"/>
        <source>--windows-user and --partition go with --disk-image</source>
        <translation>--windows-user e --partition vão com --disk-image</translation>
    </message>
    <message>
        <location line="+11"/>
        <source>--disk-image cannot be used with --%1</source>
        <translation>--disk-image não pode ser usado com --%1</translation>
    </message>
    <message>
        <location line="+10"/>
        <source>--partition takes a partition&apos;s number, from 1</source>
        <translation>--partition recebe o número de uma partição, a partir de 1</translation>
    </message>
    <message>
        <location line="+7"/>
        <source>Looking for the Windows users on %1...</source>
        <translation>Procurando os usuários do Windows em %1...</translation>
    </message>
    <message>
        <location line="+23"/>
        <source>%1; choose one with --windows-user NAME (and --partition N when a name is on more than one)</source>
        <translation>%1; escolha um com --windows-user NOME (e --partition N quando um nome está em mais de uma)</translation>
    </message>
    <message>
        <location filename="../src/cli/ExportCommand.cpp" line="-148"/>
        <source>--type and --all-types cannot be given together</source>
        <translation>--type e --all-types não podem ser usadas juntas</translation>
    </message>
    <message>
        <location line="+7"/>
        <source>give --type or --all-types</source>
        <translation>informe --type ou --all-types</translation>
    </message>
    <message>
        <location line="+13"/>
        <source>unknown --type &quot;%1&quot;: use a number 0 to 5 or a name</source>
        <translation>valor &quot;%1&quot; desconhecido para --type: use um número de 0 a 5 ou um nome</translation>
    </message>
    <message>
        <location line="+32"/>
        <source>--items needs exactly one content type</source>
        <translation>--items precisa de exatamente um tipo de conteúdo</translation>
    </message>
    <message>
        <location line="+44"/>
        <source>nothing to export.</source>
        <translation>nada para exportar.</translation>
    </message>
    <message numerus="yes">
        <location line="+36"/>
        <source>interrupted; %1 of %n items were exported.</source>
        <translation>
            <numerusform>interrompido; %1 de %n item foi exportado.</numerusform>
            <numerusform>interrompido; %1 de %n itens foram exportados.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <location line="+9"/>
        <source>%1 of %n items could not be exported whole.</source>
        <translation>
            <numerusform>%1 de %n item não pôde ser exportado por inteiro.</numerusform>
            <numerusform>%1 de %n itens não puderam ser exportados por inteiro.</numerusform>
        </translation>
    </message>
    <message>
        <location line="+22"/>
        <source>Save items as files any program opens, with videos of the movies and a gallery.</source>
        <translation>Salva itens como arquivos que qualquer programa abre, com vídeos dos filmes e uma galeria.</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>the content types: numbers 0 to 5 or names (see below), separated by commas</source>
        <translation>os tipos de conteúdo: números de 0 a 5 ou nomes (veja abaixo), separados por vírgulas</translation>
    </message>
    <message>
        <location line="+8"/>
        <source>export every content type</source>
        <translation>exporta todos os tipos de conteúdo</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>the export folder; the files go into a subfolder per content type</source>
        <translation>a pasta de exportação; os arquivos vão para uma subpasta por tipo de conteúdo</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>export only these items of the one type (numbers as &quot;quorvane-cli list&quot; shows them); every listed item otherwise</source>
        <translation>exporta apenas estes itens do único tipo (com os números que &quot;quorvane-cli list&quot; mostra); caso contrário, todos os itens listados</translation>
    </message>
    <message>
        <location line="+7"/>
        <source>Content types (and their subfolders):</source>
        <translation>Tipos de conteúdo (e suas subpastas):</translation>
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
        <translation>Primeiro os itens são listados, exatamente como &quot;quorvane-cli list&quot; os lista.
Cada um vai para DIR/&lt;type&gt;/ com um nome feito a partir do seu nome de exibição:
o arquivo original como está (o .swf de um filme como o arquivo CAB dele o
contém, com a imagem em miniatura; o GIF, PNG, JPEG ou BMP próprio de um
emoticon ou de uma imagem). Cada piscadela, imagem de exibição dinâmica e plano
de fundo dinâmico também é reproduzido uma vez pelo Flash Player da
visualização, quadro a quadro na sua própria taxa de quadros, e gravado em um
vídeo .webm (VP9, com o som do filme em Opus), um .webp animado de no máximo 512
pixels (uma figurinha), um .gif animado e um .png do primeiro quadro. Nenhuma
tela é necessária.
</translation>
    </message>
    <message>
        <location line="+12"/>
        <source>DIR/index.html is a gallery of everything exported there, for any web browser,
and DIR/quorvane-export.json lists the same for programs, with each file&apos;s
SHA-256. A file of the same name is never replaced: the new one is numbered.
Exporting into the same folder again adds to its gallery.
</source>
        <translation>DIR/index.html é uma galeria de tudo o que foi exportado ali, para qualquer
navegador, e DIR/quorvane-export.json lista o mesmo para programas, com o
SHA-256 de cada arquivo. Um arquivo de mesmo nome nunca é substituído: o novo
recebe um número. Exportar de novo para a mesma pasta acrescenta itens à galeria
dela.
</translation>
    </message>
    <message>
        <location line="+8"/>
        <source>One line per item on the standard output, fields separated by tabs: type,
display name, then &quot;exported&quot; and the files written (relative to DIR), or
&quot;failed&quot;, the reason and the files that were written. The last line is the
gallery&apos;s path.
</source>
        <translation>Uma linha por item na saída padrão, com campos separados por tabulações: tipo,
nome de exibição e então &quot;exported&quot; e os arquivos gravados (relativos a DIR), ou
&quot;failed&quot;, o motivo e os arquivos que foram gravados. A última linha é o caminho
da galeria.
</translation>
    </message>
    <message>
        <location line="+8"/>
        <source>Exit status: 0 when every item was exported whole; 1 when some could not be,
nothing can be listed or the passport cannot be an account; 2 for a wrong
command line; 130 or 143 after an interrupt, which stops at once and leaves no
part of a file.
</source>
        <translation>Código de saída: 0 quando todos os itens foram exportados por inteiro; 1 quando
algum não pôde ser, nada pode ser listado ou o passport não pode ser uma conta;
2 para uma linha de comando errada; 130 ou 143 após uma interrupção, que para a
exportação na hora e não deixa nenhum arquivo pela metade.
</translation>
    </message>
</context>
<context>
    <name>quorvane::ui::AboutDialog</name>
    <message>
        <location filename="../src/ui/main/AboutDialog.cpp" line="+12"/>
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
    <name>quorvane::ui::MainWindow</name>
    <message>
        <location filename="../src/ui/main/MainWindow.cpp" line="+215"/>
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
        <location filename="../src/ui/main/MainWindowSource.cpp" line="+77"/>
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
        <location line="+12"/>
        <source>Reading from the disk image %1 (user %2).</source>
        <translation>Lendo da imagem de disco %1 (usuário %2).</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Reading from the Windows folder %1 (user %2).</source>
        <translation>Lendo da pasta do Windows %1 (usuário %2).</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>Reading from the Wine prefix %1 (user %2).</source>
        <translation>Lendo do prefixo do Wine %1 (usuário %2).</translation>
    </message>
    <message>
        <location line="+42"/>
        <source>Please select the folder of the Windows user to read from.</source>
        <translation>Selecione a pasta do usuário do Windows a ser lida.</translation>
    </message>
    <message>
        <location line="+9"/>
        <source>The Windows folder cannot be read: %1</source>
        <translation>Não é possível ler a pasta do Windows: %1</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>The Windows folder cannot be read: %1.</source>
        <translation>Não é possível ler a pasta do Windows: %1.</translation>
    </message>
    <message>
        <location line="+15"/>
        <source>Please select the disk image of the old computer to read from.</source>
        <translation>Selecione a imagem de disco do computador antigo a ser lida.</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Disk images (%1)</source>
        <translation>Imagens de disco (%1)</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>All files (*)</source>
        <translation>Todos os arquivos (*)</translation>
    </message>
    <message>
        <location line="+7"/>
        <source>Looking for the Windows users on the disk image...</source>
        <translation>Procurando os usuários do Windows na imagem de disco...</translation>
    </message>
    <message>
        <location line="+21"/>
        <source>%1 (partition %2)</source>
        <translation>%1 (partição %2)</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>Several Windows users ran Messenger on this disk. Whose content is it?</source>
        <translation>Vários usuários do Windows usaram o Messenger neste disco. De quem é o conteúdo?</translation>
    </message>
    <message>
        <location line="+7"/>
        <location line="+15"/>
        <source>The disk image cannot be read: %1.</source>
        <translation>Não é possível ler a imagem de disco: %1.</translation>
    </message>
    <message>
        <location line="-11"/>
        <source>Copying from the disk image...</source>
        <translation>Copiando da imagem de disco...</translation>
    </message>
    <message>
        <location line="+26"/>
        <source>Checking the password...</source>
        <translation>Verificando a senha...</translation>
    </message>
    <message>
        <location line="+26"/>
        <source>The disk image cannot be read: %1.

%2</source>
        <translation>Não é possível ler a imagem de disco: %1.

%2</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>The Windows folder cannot be read: %1.

%2</source>
        <translation>Não é possível ler a pasta do Windows: %1.

%2</translation>
    </message>
    <message>
        <location filename="../src/ui/main/MainWindow.cpp" line="+4"/>
        <source>MSN Passport:</source>
        <translation>Passport do MSN:</translation>
    </message>
    <message>
        <location line="+14"/>
        <source>Backup Type:</source>
        <translation>Tipo de backup:</translation>
    </message>
    <message>
        <location line="+10"/>
        <source>Items installed in current MSN account:</source>
        <translation>Itens instalados na conta atual do MSN:</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Items selected to be backup:</source>
        <translation>Itens selecionados para o backup:</translation>
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
        <translation>Visualizar</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Get More...</source>
        <translation>Obter mais...</translation>
    </message>
    <message>
        <location line="+17"/>
        <source>Read from a &amp;disk image...</source>
        <translation>Ler de uma &amp;imagem de disco...</translation>
    </message>
    <message>
        <location line="+7"/>
        <source>&amp;Export to open formats...</source>
        <translation>&amp;Exportar para formatos abertos...</translation>
    </message>
    <message>
        <location line="+28"/>
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
        <location line="+11"/>
        <source>Back up the items selected to be backed up, of the type %1, into the backup folder.</source>
        <translation>Faz o backup dos itens selecionados, do tipo %1, na pasta de backup.</translation>
    </message>
    <message>
        <location line="+111"/>
        <source>&amp;About Quorvane...</source>
        <translation>&amp;Sobre o Quorvane...</translation>
    </message>
    <message>
        <location line="+51"/>
        <source>Quorvane could not open %1: no program to open it was found. xdg-open (in the package xdg-utils) opens folders and pages with the desktop&apos;s own programs.</source>
        <translation>O Quorvane não conseguiu abrir %1: nenhum programa para abri-lo foi encontrado. O xdg-open (do pacote xdg-utils) abre pastas e páginas com os programas da área de trabalho.</translation>
    </message>
    <message>
        <location line="-233"/>
        <source>Read from a &amp;Windows folder...</source>
        <translation>Ler de uma pasta do &amp;Windows...</translation>
    </message>
    <message numerus="yes">
        <location line="-186"/>
        <source>Copying from the disk image: %n file(s)...</source>
        <translation>
            <numerusform>Copiando da imagem de disco: %n arquivo...</numerusform>
            <numerusform>Copiando da imagem de disco: %n arquivos...</numerusform>
        </translation>
    </message>
    <message>
        <location line="+192"/>
        <source>Read from the Wine &amp;prefix</source>
        <translation>Ler do &amp;prefixo do Wine</translation>
    </message>
    <message>
        <location line="+33"/>
        <location line="+152"/>
        <source>Close</source>
        <translation>Fechar</translation>
    </message>
    <message>
        <location filename="../src/ui/main/MainWindowCommands.cpp" line="+133"/>
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
        <location line="+37"/>
        <source>Listing...</source>
        <translation>Listando...</translation>
    </message>
    <message numerus="yes">
        <location line="+62"/>
        <source>Listing was cancelled: %n item(s) listed.</source>
        <translation>
            <numerusform>A listagem foi cancelada: %n item listado.</numerusform>
            <numerusform>A listagem foi cancelada: %n itens listados.</numerusform>
        </translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Nothing could be listed: %1.</source>
        <translation>Nada pôde ser listado: %1.</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>Nothing could be listed: %1 was protected with a Windows master key that is not in the Windows folder, or that the password does not open.</source>
        <translation>Nada pôde ser listado: %1 foi protegido com uma chave mestra do Windows que não está na pasta do Windows ou que a senha não abre.</translation>
    </message>
    <message>
        <location line="+9"/>
        <source>Nothing could be listed: %1</source>
        <translation>Nada pôde ser listado: %1</translation>
    </message>
    <message>
        <location line="+15"/>
        <source>Backing up...</source>
        <translation>Fazendo backup...</translation>
    </message>
    <message>
        <location line="-49"/>
        <location line="+74"/>
        <location line="+52"/>
        <source>(no name)</source>
        <translation>(sem nome)</translation>
    </message>
    <message numerus="yes">
        <location line="-46"/>
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
        <location line="+9"/>
        <source>Please list the items to export first.</source>
        <translation>Liste primeiro os itens a exportar.</translation>
    </message>
    <message>
        <location line="+11"/>
        <source>Please select a folder to export the items into.</source>
        <translation>Selecione uma pasta para onde exportar os itens.</translation>
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
            <numerusform>A exportação foi cancelada. %1 de %n item foi exportado.</numerusform>
            <numerusform>A exportação foi cancelada. %1 de %n itens foram exportados.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <location line="+2"/>
        <source>%n items were exported.</source>
        <translation>
            <numerusform>%n item foi exportado.</numerusform>
            <numerusform>%n itens foram exportados.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <location line="+1"/>
        <source>%1 of %2 items were exported; %n could not be exported whole.</source>
        <translation>
            <numerusform>%1 de %2 itens foram exportados; %n não pôde ser exportado por inteiro.</numerusform>
            <numerusform>%1 de %2 itens foram exportados; %n não puderam ser exportados por inteiro.</numerusform>
        </translation>
    </message>
    <message>
        <location line="+9"/>
        <source>Open &amp;Gallery</source>
        <translation>Abrir &amp;galeria</translation>
    </message>
    <message>
        <location line="+9"/>
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
        <translation>Fazendo backup de %1 de %2...</translation>
    </message>
    <message>
        <location filename="../src/ui/main/MainWindow.cpp" line="+25"/>
        <source>Please select a folder to backup the MSN Content Packs.</source>
        <translation>Selecione uma pasta para o backup dos pacotes de conteúdo do MSN.</translation>
    </message>
</context>
<context>
    <name>quorvane::ui::PasswordDialog</name>
    <message>
        <location filename="../src/ui/main/PasswordDialog.cpp" line="+44"/>
        <source>Windows password of %1:</source>
        <translation>Senha do Windows de %1:</translation>
    </message>
</context>
<context>
    <name>quorvane::ui::PreviewDialog</name>
    <message>
        <location filename="../src/ui/preview/PreviewDialog.cpp" line="+26"/>
        <source>Preview - Quorvane</source>
        <translation>Visualizar - Quorvane</translation>
    </message>
    <message>
        <location line="+6"/>
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
    <message>
        <location line="-31"/>
        <source>%1 - Preview - Quorvane</source>
        <translation>%1 - Visualizar - Quorvane</translation>
    </message>
</context>
<context>
    <name>quorvane::ui::PreviewPlayerPage</name>
    <message>
        <location filename="../src/ui/preview/PreviewPlayerPage.cpp" line="+104"/>
        <source>The Flash player stopped on this file.</source>
        <translation>O Flash Player parou neste arquivo.</translation>
    </message>
</context>
</TS>
