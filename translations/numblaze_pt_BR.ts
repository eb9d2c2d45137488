<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="pt_BR">
<context>
    <name>Accessibility</name>
    <message>
        <source>News</source>
        <translation>Avisos</translation>
    </message>
    <message>
        <source>%1 of %2</source>
        <translation>%1 de %2</translation>
    </message>
</context>
<context>
    <name>CommandLine</name>
    <message>
        <source>%1: %2 (try &apos;%1 --help&apos;)</source>
        <translation>%1: %2 (tente &apos;%1 --help&apos;)</translation>
    </message>
    <message>
        <source>Usage: %1 [options]</source>
        <translation>Uso: %1 [opções]</translation>
    </message>
    <message>
        <source>Race the computer with mental arithmetic.</source>
        <translation>Corra contra o computador fazendo contas de cabeça.</translation>
    </message>
    <message>
        <source>Show this help and quit.</source>
        <translation>Mostra esta ajuda e sai.</translation>
    </message>
    <message>
        <source>Show the version of the game and quit.</source>
        <translation>Mostra a versão do jogo e sai.</translation>
    </message>
    <message>
        <source>unknown option &apos;%1&apos;</source>
        <translation>opção desconhecida &apos;%1&apos;</translation>
    </message>
    <message>
        <source>unexpected argument &apos;%1&apos;</source>
        <translation>argumento inesperado &apos;%1&apos;</translation>
    </message>
    <message>
        <source>Start without sound (the M key turns it on).</source>
        <translation>Iniciar sem som (a tecla M o liga).</translation>
    </message>
    <message>
        <source>Give yourself extra time: the opponents race at half speed (F2 on the menu switches it too).</source>
        <translation>Tenha mais tempo: os adversários correm na metade da velocidade (F2 no menu também muda isso).</translation>
    </message>
</context>
<context>
    <name>Form1</name>
    <message>
        <source>Press ENTER to send your answer!</source>
        <translation>Digite a resposta e aperte ENTER!</translation>
    </message>
    <message>
        <source>You won!!!</source>
        <translation>Você ganhou!!!</translation>
    </message>
    <message>
        <source>You lost!</source>
        <translation>Você perdeu!</translation>
    </message>
    <message>
        <source>Numblaze race</source>
        <translation>Corrida do Numblaze</translation>
    </message>
    <message>
        <source>Answer</source>
        <translation>Resposta</translation>
    </message>
    <message>
        <source>Track</source>
        <translation>Pista</translation>
    </message>
    <message>
        <source>Your ball</source>
        <translation>Sua bola</translation>
    </message>
    <message>
        <source>Opponent&apos;s ball</source>
        <translation>Bola do adversário</translation>
    </message>
    <message>
        <source>Stop</source>
        <translation>Parar</translation>
    </message>
    <message>
        <source>Your opponent</source>
        <translation>Seu adversário</translation>
    </message>
    <message>
        <source>You %1, %2 %3.</source>
        <translation>Você %1, %2 %3.</translation>
    </message>
    <message>
        <source>Go! %1.</source>
        <translation>Já! %1.</translation>
    </message>
    <message>
        <source>Right.</source>
        <translation>Certo.</translation>
    </message>
    <message>
        <source>Wrong.</source>
        <translation>Errado.</translation>
    </message>
    <message>
        <source>%1 %2.</source>
        <translation>%1 %2.</translation>
    </message>
    <message>
        <source>%1 %2 %3.</source>
        <translation>%1 %2 %3.</translation>
    </message>
    <message>
        <source>%1 is ahead.</source>
        <translation>%1 está na frente.</translation>
    </message>
    <message>
        <source>%1 is near the finish.</source>
        <translation>%1 está perto da chegada.</translation>
    </message>
    <message>
        <source>You lost! %1 got there first.</source>
        <translation>Você perdeu! %1 chegou primeiro.</translation>
    </message>
    <message>
        <source>You won! Your highest number is now %1.</source>
        <translation>Você ganhou! Seu maior número agora é %1.</translation>
    </message>
    <message>
        <source>You won! Your highest number for %1 against %2 is now %3.</source>
        <translation>Você ganhou! Seu maior número em %1 contra %2 agora é %3.</translation>
    </message>
    <message>
        <source>Get ready</source>
        <translation>Prepare-se</translation>
    </message>
    <message>
        <source>%1 of %2 steps</source>
        <translation>%1 de %2 passos</translation>
    </message>
    <message>
        <source>Back to the menu</source>
        <translation>Voltar ao menu</translation>
    </message>
</context>
<context>
    <name>Form2</name>
    <message>
        <source>You can go on playing: the game tries again after your next win and when you leave.</source>
        <translation>Aperte “OK” e continue jogando: o jogo vai tentar salvar seus recordes de novo depois da sua próxima vitória e quando você sair.</translation>
    </message>
    <message>
        <source>Retry when the problem is solved, or discard the records of this game.</source>
        <translation>Aperte “Repetir” quando o problema estiver resolvido: o jogo vai tentar salvar seus recordes de novo. Se você apertar “Descartar”, o jogo fecha e seus recordes de hoje não são salvos.</translation>
    </message>
    <message>
        <source>Your highest number is %1.</source>
        <translation>Seu maior número é %1.</translation>
    </message>
    <message>
        <source>Race against:</source>
        <translation>Corrida contra:</translation>
    </message>
    <message>
        <source>Race!</source>
        <translation>Correr!</translation>
    </message>
    <message>
        <source>Hall of Fame</source>
        <translation>Recordes</translation>
    </message>
    <message>
        <source>Math</source>
        <translation>Contas</translation>
    </message>
    <message>
        <source>Exit</source>
        <translation>Sair</translation>
    </message>
    <message>
        <source>Extra time is on: press F2 to switch it off.</source>
        <translation>O tempo extra está ligado: aperte F2 para desligar.</translation>
    </message>
    <message>
        <source>For extra time, press F2: the opponents go at half speed.</source>
        <translation>Para ter tempo extra, aperte F2: os adversários vão na metade da velocidade.</translation>
    </message>
    <message>
        <source>%1 against %2: your highest number is %3.</source>
        <translation>%1 contra %2: seu maior número é %3.</translation>
    </message>
    <message>
        <source>Extra time on.</source>
        <translation>Tempo extra ligado.</translation>
    </message>
    <message>
        <source>Extra time off.</source>
        <translation>Tempo extra desligado.</translation>
    </message>
</context>
<context>
    <name>Form3</name>
    <message>
        <source>Numblaze Hall of Fame</source>
        <translation>Recordes do Numblaze</translation>
    </message>
    <message>
        <source>Hall of Fame</source>
        <translation>Recordes</translation>
    </message>
    <message>
        <source>%1, %2: %3</source>
        <translation>%1, %2: %3</translation>
    </message>
    <message>
        <source>%1 %2</source>
        <comment>an opponent, then the record against that opponent</comment>
        <translation>%1 %2</translation>
    </message>
    <message>
        <source>%1: %2.</source>
        <comment>a math kind, then its records</comment>
        <translation>%1: %2.</translation>
    </message>
    <message>
        <source>Highest numbers</source>
        <translation>Maiores números</translation>
    </message>
</context>
<context>
    <name>MathKinds</name>
    <message>
        <source>Addition</source>
        <extracomment>A math kind, as the menu offers it and the records say it</extracomment>
        <translation>Adição</translation>
    </message>
    <message>
        <source>Subtraction</source>
        <translation>Subtração</translation>
    </message>
    <message>
        <source>Multiplication</source>
        <translation>Multiplicação</translation>
    </message>
    <message>
        <source>Division</source>
        <translation>Divisão</translation>
    </message>
    <message>
        <source>Addition:</source>
        <extracomment>A row title of the Hall of Fame</extracomment>
        <translation>Adição:</translation>
    </message>
    <message>
        <source>+</source>
        <comment>the addition sign as the race shows it</comment>
        <extracomment>The addition sign as the race shows it and a screen reader says it</extracomment>
        <translation>+</translation>
    </message>
    <message>
        <source>%1 plus %2</source>
        <extracomment>An addition in words, as a screen reader says it: %1 and %2 are numbers</extracomment>
        <translation>%1 mais %2</translation>
    </message>
    <message>
        <source>Subtraction:</source>
        <translation>Subtração:</translation>
    </message>
    <message>
        <source>-</source>
        <comment>the subtraction sign as the race shows it</comment>
        <extracomment>The subtraction sign as the race shows it and a screen reader says it</extracomment>
        <translation>-</translation>
    </message>
    <message>
        <source>%1 minus %2</source>
        <extracomment>A subtraction in words, as a screen reader says it: %1 and %2 are numbers</extracomment>
        <translation>%1 menos %2</translation>
    </message>
    <message>
        <source>Multiplication:</source>
        <translation>Multiplicação:</translation>
    </message>
    <message>
        <source>*</source>
        <comment>the multiplication sign as the race shows it</comment>
        <extracomment>The multiplication sign as the race shows it and a screen reader says it</extracomment>
        <translation>×</translation>
    </message>
    <message>
        <source>%1 times %2</source>
        <extracomment>A multiplication in words, as a screen reader says it: %1 and %2 are numbers</extracomment>
        <translation>%1 vezes %2</translation>
    </message>
    <message>
        <source>Division:</source>
        <translation>Divisão:</translation>
    </message>
    <message>
        <source>/</source>
        <comment>the division sign as the race shows it</comment>
        <extracomment>The division sign as the race shows it and a screen reader says it</extracomment>
        <translation>÷</translation>
    </message>
    <message>
        <source>%1 divided by %2</source>
        <extracomment>A division in words, as a screen reader says it: %1 and %2 are numbers</extracomment>
        <translation>%1 dividido por %2</translation>
    </message>
</context>
<context>
    <name>Opponents</name>
    <message>
        <source>Bobby Blue</source>
        <translation>Artur Azul</translation>
    </message>
    <message>
        <source>Patty Purple</source>
        <translation>Rita Roxa</translation>
    </message>
    <message>
        <source>Ronald Red</source>
        <translation>Val Vermelho</translation>
    </message>
</context>
<context>
    <name>Records</name>
    <message>
        <source>it is not an ordinary file</source>
        <translation>não é um arquivo comum</translation>
    </message>
    <message>
        <source>it is a link to a file that does not exist</source>
        <translation>é um atalho para um arquivo que não existe</translation>
    </message>
    <message>
        <source>it is a link to a file that belongs to another user</source>
        <translation>é um atalho para o arquivo de outra pessoa</translation>
    </message>
    <message>
        <source>the file cannot be changed (%1)</source>
        <translation>o arquivo não pode ser mudado (%1)</translation>
    </message>
    <message>
        <source>the game is installed for every player of this computer</source>
        <translation>o jogo está instalado para todos os jogadores deste computador</translation>
    </message>
    <message>
        <source>Numblaze could not make sure that it is the only copy of the game using the records in %1 (%2). Your records will still be saved, but do not play two copies at once.</source>
        <translation>O Numblaze não conseguiu ter certeza de que é a única cópia do jogo usando os recordes em %1 (%2). Seus recordes vão ser salvos mesmo assim, mas não jogue com duas cópias ao mesmo tempo.</translation>
    </message>
    <message>
        <source>no file can be created beside the program in %1 (%2), nor in %3 (%4)</source>
        <translation>nenhum arquivo pode ser criado ao lado do programa em %1 (%2), nem em %3 (%4)</translation>
    </message>
    <message>
        <source>Numblaze cannot save your records: %1. You can play, but the records you win today will not be kept.</source>
        <translation>O Numblaze não pode salvar seus recordes: %1. Você pode jogar, mas seus recordes de hoje não vão ser salvos.</translation>
    </message>
    <message>
        <source>the records in %1 could not be copied to your own folder (%2)</source>
        <translation>não foi possível copiar os recordes em %1 para a sua pasta (%2)</translation>
    </message>
    <message>
        <source>Numblaze could not read your records in %1 (%2). You can play, starting from the first records, but that file is left as it is and today&apos;s records will not be saved in it.</source>
        <translation>O Numblaze não conseguiu ler seus recordes em %1 (%2). Aperte “OK” e jogue começando dos primeiros recordes. Esse arquivo fica como está, e seus recordes de hoje não vão ser salvos nele.</translation>
    </message>
    <message>
        <source>Your records in %1 will not be saved: %2. You can still play.</source>
        <translation>Seus recordes em %1 não vão ser salvos: %2. Você pode jogar mesmo assim.</translation>
    </message>
    <message>
        <source>another copy of Numblaze is using them</source>
        <translation>outra cópia do Numblaze os está usando</translation>
    </message>
    <message>
        <source>Numblaze could not save your records in %1: %2.</source>
        <translation>O Numblaze não conseguiu salvar seus recordes em %1: %2.</translation>
    </message>
    <message>
        <source>the file could not be read (%1), so it is left as it is</source>
        <translation>não foi possível ler o arquivo (%1), então ele fica como está</translation>
    </message>
    <message>
        <source>it is a link that another user made, or that lies in another user&apos;s folder</source>
        <translation>é um link criado por outro usuário, ou que está na pasta de outro usuário</translation>
    </message>
    <message>
        <source>no file there can be locked by you alone</source>
        <translation>lá nenhum arquivo pode ser bloqueado só por você</translation>
    </message>
    <message>
        <source>no file can be created beside the program in %1 (%2), and no home folder is set for a folder of your own</source>
        <translation>nenhum arquivo pode ser criado ao lado do programa em %1 (%2), e nenhuma pasta pessoal está definida para uma pasta sua</translation>
    </message>
    <message>
        <source>Your records are kept in %1 this time. Last time they were kept in %2: the records from both places are put together, and this game&apos;s wins are saved in %1.</source>
        <translation>Desta vez seus recordes ficam em %1. Da última vez eles ficaram em %2: os recordes dos dois lugares são reunidos, e as vitórias deste jogo são salvas em %1.</translation>
    </message>
</context>
<context>
    <name>RunningCopy</name>
    <message>
        <source>Numblaze is already running.</source>
        <translation>O Numblaze já está aberto.</translation>
    </message>
    <message>
        <source>Another user&apos;s copy of the game is using the records in %1. Close it, then start Numblaze again.</source>
        <translation>A cópia do jogo de outro usuário está usando os recordes em %1. Feche-a e inicie o Numblaze novamente.</translation>
    </message>
    <message>
        <source>Another copy of the game is using the records in %1, and it did not come to the front: it may run on another screen or as another user. Close it, then start Numblaze again.</source>
        <translation>Outra cópia do jogo está usando os recordes em %1 e não veio para a frente: talvez esteja rodando em outra tela ou como outro usuário. Feche-a e inicie o Numblaze novamente.</translation>
    </message>
</context>
<context>
    <name>Sound</name>
    <message>
        <source>no sound device found; playing without sound</source>
        <translation>nenhum dispositivo de som encontrado; jogando sem som</translation>
    </message>
    <message>
        <source>the sound device stopped working; playing on without sound</source>
        <translation>o dispositivo de som parou de funcionar; o jogo continua sem som</translation>
    </message>
    <message>
        <source>the sound server stopped taking the game&apos;s sound; its stream was opened again</source>
        <translation>o servidor de som parou de aceitar o som do jogo; seu fluxo foi aberto de novo</translation>
    </message>
</context>
<context>
    <name>Startup</name>
    <message>
        <source>no display found: set DISPLAY or WAYLAND_DISPLAY, or start it from a desktop session</source>
        <translation>nenhuma tela encontrada: defina DISPLAY ou WAYLAND_DISPLAY, ou abra o jogo numa sessão de área de trabalho</translation>
    </message>
</context>
<context>
    <name>Translations</name>
    <message>
        <source>en</source>
        <extracomment>The code of the language of this translation, as the name of its file has it (&quot;de&quot;, &quot;pt_BR&quot;). The race&apos;s pictures with words in them are chosen by it.</extracomment>
        <translation>pt_BR</translation>
    </message>
</context>
<context>
    <name>numblaze::MuteKey</name>
    <message>
        <source>Sound off</source>
        <translation>Som desligado</translation>
    </message>
    <message>
        <source>Sound on</source>
        <translation>Som ligado</translation>
    </message>
</context>
</TS>
