<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="it">
<context>
    <name>Accessibility</name>
    <message>
        <source>News</source>
        <translation>Avvisi</translation>
    </message>
    <message>
        <source>%1 of %2</source>
        <translation>%1 di %2</translation>
    </message>
</context>
<context>
    <name>CommandLine</name>
    <message>
        <source>%1: %2 (try &apos;%1 --help&apos;)</source>
        <translation>%1: %2 (prova &apos;%1 --help&apos;)</translation>
    </message>
    <message>
        <source>Usage: %1 [options]</source>
        <translation>Uso: %1 [opzioni]</translation>
    </message>
    <message>
        <source>Race the computer with mental arithmetic.</source>
        <translation>Fai una gara contro il computer facendo i conti a mente.</translation>
    </message>
    <message>
        <source>Show this help and quit.</source>
        <translation>Mostra questo aiuto ed esci.</translation>
    </message>
    <message>
        <source>Show the version of the game and quit.</source>
        <translation>Mostra la versione del gioco ed esci.</translation>
    </message>
    <message>
        <source>unknown option &apos;%1&apos;</source>
        <translation>opzione sconosciuta &apos;%1&apos;</translation>
    </message>
    <message>
        <source>unexpected argument &apos;%1&apos;</source>
        <translation>argomento inatteso &apos;%1&apos;</translation>
    </message>
    <message>
        <source>Start without sound (the M key turns it on).</source>
        <translation>Avvia senza audio (il tasto M lo attiva).</translation>
    </message>
    <message>
        <source>Give yourself extra time: the opponents race at half speed (F2 on the menu switches it too).</source>
        <translation>Concediti più tempo: gli avversari corrono a metà velocità (anche F2 nel menu lo cambia).</translation>
    </message>
</context>
<context>
    <name>Form1</name>
    <message>
        <source>Press ENTER to send your answer!</source>
        <translation>Scrivi la risposta e premi INVIO!</translation>
    </message>
    <message>
        <source>You won!!!</source>
        <translation>Hai vinto!!!</translation>
    </message>
    <message>
        <source>You lost!</source>
        <translation>Hai perso!</translation>
    </message>
    <message>
        <source>Numblaze race</source>
        <translation>Gara di Numblaze</translation>
    </message>
    <message>
        <source>Answer</source>
        <translation>Risposta</translation>
    </message>
    <message>
        <source>Track</source>
        <translation>Pista</translation>
    </message>
    <message>
        <source>Your ball</source>
        <translation>La tua palla</translation>
    </message>
    <message>
        <source>Opponent&apos;s ball</source>
        <translation>Palla dell&apos;avversario</translation>
    </message>
    <message>
        <source>Stop</source>
        <translation>Stop</translation>
    </message>
    <message>
        <source>Your opponent</source>
        <translation>Il tuo avversario</translation>
    </message>
    <message>
        <source>You %1, %2 %3.</source>
        <translation>Tu %1, %2 %3.</translation>
    </message>
    <message>
        <source>Go! %1.</source>
        <translation>Via! %1.</translation>
    </message>
    <message>
        <source>Right.</source>
        <translation>Giusto.</translation>
    </message>
    <message>
        <source>Wrong.</source>
        <translation>Sbagliato.</translation>
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
        <translation>%1 è in testa.</translation>
    </message>
    <message>
        <source>%1 is near the finish.</source>
        <translation>%1 è vicino al traguardo.</translation>
    </message>
    <message>
        <source>You lost! %1 got there first.</source>
        <translation>Hai perso! %1 è arrivato prima.</translation>
    </message>
    <message>
        <source>You won! Your highest number is now %1.</source>
        <translation>Hai vinto! Il tuo numero più alto ora è %1.</translation>
    </message>
    <message>
        <source>You won! Your highest number for %1 against %2 is now %3.</source>
        <translation>Hai vinto! Il tuo numero più alto per %1 contro %2 ora è %3.</translation>
    </message>
    <message>
        <source>Get ready</source>
        <translation>Preparati</translation>
    </message>
    <message>
        <source>%1 of %2 steps</source>
        <translation>%1 passi su %2</translation>
    </message>
    <message>
        <source>Back to the menu</source>
        <translation>Torna al menu</translation>
    </message>
</context>
<context>
    <name>Form2</name>
    <message>
        <source>You can go on playing: the game tries again after your next win and when you leave.</source>
        <translation>Premi «OK» e continua a giocare: il gioco proverà di nuovo a salvare i tuoi record dopo la tua prossima vittoria e quando esci.</translation>
    </message>
    <message>
        <source>Retry when the problem is solved, or discard the records of this game.</source>
        <translation>Premi «Riprova» quando il problema è risolto: il gioco proverà di nuovo a salvare i tuoi record. Se premi «Scarta», il gioco si chiude e i tuoi record di oggi non vengono salvati.</translation>
    </message>
    <message>
        <source>Your highest number is %1.</source>
        <translation>Il tuo record è %1.</translation>
    </message>
    <message>
        <source>Race against:</source>
        <translation>Gara contro:</translation>
    </message>
    <message>
        <source>Race!</source>
        <translation>Corri!</translation>
    </message>
    <message>
        <source>Hall of Fame</source>
        <translation>Record</translation>
    </message>
    <message>
        <source>Math</source>
        <translation>Calcoli</translation>
    </message>
    <message>
        <source>Exit</source>
        <translation>Esci</translation>
    </message>
    <message>
        <source>Extra time is on: press F2 to switch it off.</source>
        <translation>Il tempo extra è attivo: premi F2 per toglierlo.</translation>
    </message>
    <message>
        <source>For extra time, press F2: the opponents go at half speed.</source>
        <translation>Per avere più tempo, premi F2: gli avversari vanno a metà velocità.</translation>
    </message>
    <message>
        <source>%1 against %2: your highest number is %3.</source>
        <translation>%1 contro %2: il tuo numero più alto è %3.</translation>
    </message>
    <message>
        <source>Extra time on.</source>
        <translation>Tempo extra attivo.</translation>
    </message>
    <message>
        <source>Extra time off.</source>
        <translation>Tempo extra disattivato.</translation>
    </message>
</context>
<context>
    <name>Form3</name>
    <message>
        <source>Numblaze Hall of Fame</source>
        <translation>Record di Numblaze</translation>
    </message>
    <message>
        <source>Hall of Fame</source>
        <translation>Record</translation>
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
        <translation>Numeri più alti</translation>
    </message>
</context>
<context>
    <name>MathKinds</name>
    <message>
        <source>Addition</source>
        <extracomment>A math kind, as the menu offers it and the records say it</extracomment>
        <translation>Sommare</translation>
    </message>
    <message>
        <source>Subtraction</source>
        <translation>Sottrarre</translation>
    </message>
    <message>
        <source>Multiplication</source>
        <translation>Moltiplicare</translation>
    </message>
    <message>
        <source>Division</source>
        <translation>Dividere</translation>
    </message>
    <message>
        <source>Addition:</source>
        <extracomment>A row title of the Hall of Fame</extracomment>
        <translation>Sommare:</translation>
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
        <translation>%1 più %2</translation>
    </message>
    <message>
        <source>Subtraction:</source>
        <translation>Sottrarre:</translation>
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
        <translation>%1 meno %2</translation>
    </message>
    <message>
        <source>Multiplication:</source>
        <translation>Moltiplicare:</translation>
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
        <translation>%1 per %2</translation>
    </message>
    <message>
        <source>Division:</source>
        <translation>Dividere:</translation>
    </message>
    <message>
        <source>/</source>
        <comment>the division sign as the race shows it</comment>
        <extracomment>The division sign as the race shows it and a screen reader says it</extracomment>
        <translation>:</translation>
    </message>
    <message>
        <source>%1 divided by %2</source>
        <extracomment>A division in words, as a screen reader says it: %1 and %2 are numbers</extracomment>
        <translation>%1 diviso %2</translation>
    </message>
</context>
<context>
    <name>Opponents</name>
    <message>
        <source>Bobby Blue</source>
        <translation>Bruno Blu</translation>
    </message>
    <message>
        <source>Patty Purple</source>
        <translation>Vera Viola</translation>
    </message>
    <message>
        <source>Ronald Red</source>
        <translation>Rocco Rosso</translation>
    </message>
</context>
<context>
    <name>Records</name>
    <message>
        <source>it is not an ordinary file</source>
        <translation>non è un file normale</translation>
    </message>
    <message>
        <source>it is a link to a file that does not exist</source>
        <translation>è un collegamento a un file che non esiste</translation>
    </message>
    <message>
        <source>it is a link to a file that belongs to another user</source>
        <translation>è un collegamento al file di un&apos;altra persona</translation>
    </message>
    <message>
        <source>the file cannot be changed (%1)</source>
        <translation>il file non si può cambiare (%1)</translation>
    </message>
    <message>
        <source>the game is installed for every player of this computer</source>
        <translation>il gioco è installato per tutti i giocatori di questo computer</translation>
    </message>
    <message>
        <source>Numblaze could not make sure that it is the only copy of the game using the records in %1 (%2). Your records will still be saved, but do not play two copies at once.</source>
        <translation>Numblaze non è riuscito a controllare di essere l&apos;unica copia del gioco che usa i record in %1 (%2). I tuoi record verranno salvati lo stesso, ma non giocare con due copie insieme.</translation>
    </message>
    <message>
        <source>no file can be created beside the program in %1 (%2), nor in %3 (%4)</source>
        <translation>non si può creare nessun file accanto al programma in %1 (%2), né in %3 (%4)</translation>
    </message>
    <message>
        <source>Numblaze cannot save your records: %1. You can play, but the records you win today will not be kept.</source>
        <translation>Numblaze non può salvare i tuoi record: %1. Puoi giocare, ma i tuoi record di oggi non verranno salvati.</translation>
    </message>
    <message>
        <source>the records in %1 could not be copied to your own folder (%2)</source>
        <translation>non è stato possibile copiare i record in %1 nella tua cartella (%2)</translation>
    </message>
    <message>
        <source>Numblaze could not read your records in %1 (%2). You can play, starting from the first records, but that file is left as it is and today&apos;s records will not be saved in it.</source>
        <translation>Numblaze non è riuscito a leggere i tuoi record in %1 (%2). Premi «OK» e gioca ripartendo dai primi record. Quel file resta com&apos;è, e i tuoi record di oggi non verranno salvati lì.</translation>
    </message>
    <message>
        <source>Your records in %1 will not be saved: %2. You can still play.</source>
        <translation>I tuoi record in %1 non verranno salvati: %2. Puoi giocare lo stesso.</translation>
    </message>
    <message>
        <source>another copy of Numblaze is using them</source>
        <translation>un&apos;altra copia di Numblaze li sta usando</translation>
    </message>
    <message>
        <source>Numblaze could not save your records in %1: %2.</source>
        <translation>Numblaze non è riuscito a salvare i tuoi record in %1: %2.</translation>
    </message>
    <message>
        <source>the file could not be read (%1), so it is left as it is</source>
        <translation>non è stato possibile leggere il file (%1), quindi resta com&apos;è</translation>
    </message>
    <message>
        <source>it is a link that another user made, or that lies in another user&apos;s folder</source>
        <translation>è un collegamento creato da un altro utente, o che si trova nella cartella di un altro utente</translation>
    </message>
    <message>
        <source>no file there can be locked by you alone</source>
        <translation>lì nessun file può essere bloccato da te soltanto</translation>
    </message>
    <message>
        <source>no file can be created beside the program in %1 (%2), and no home folder is set for a folder of your own</source>
        <translation>non si può creare alcun file accanto al programma in %1 (%2), e non è impostata alcuna cartella home per una cartella tua</translation>
    </message>
    <message>
        <source>Your records are kept in %1 this time. Last time they were kept in %2: the records from both places are put together, and this game&apos;s wins are saved in %1.</source>
        <translation>Questa volta i tuoi record sono conservati in %1. L&apos;ultima volta erano in %2: i record dei due posti vengono riuniti, e le vittorie di questa partita vengono salvate in %1.</translation>
    </message>
</context>
<context>
    <name>RunningCopy</name>
    <message>
        <source>Numblaze is already running.</source>
        <translation>Numblaze è già aperto.</translation>
    </message>
    <message>
        <source>Another user&apos;s copy of the game is using the records in %1. Close it, then start Numblaze again.</source>
        <translation>La copia del gioco di un altro utente sta usando i record in %1. Chiudila, poi avvia di nuovo Numblaze.</translation>
    </message>
    <message>
        <source>Another copy of the game is using the records in %1, and it did not come to the front: it may run on another screen or as another user. Close it, then start Numblaze again.</source>
        <translation>Un&apos;altra copia del gioco sta usando i record in %1 e non è venuta in primo piano: forse è in esecuzione su un altro schermo o come un altro utente. Chiudila, poi avvia di nuovo Numblaze.</translation>
    </message>
</context>
<context>
    <name>Sound</name>
    <message>
        <source>no sound device found; playing without sound</source>
        <translation>nessun dispositivo audio trovato; si gioca senza audio</translation>
    </message>
    <message>
        <source>the sound device stopped working; playing on without sound</source>
        <translation>il dispositivo audio ha smesso di funzionare; si continua a giocare senza audio</translation>
    </message>
    <message>
        <source>the sound server stopped taking the game&apos;s sound; its stream was opened again</source>
        <translation>il server audio ha smesso di accettare l&apos;audio del gioco; il suo flusso è stato riaperto</translation>
    </message>
</context>
<context>
    <name>Startup</name>
    <message>
        <source>no display found: set DISPLAY or WAYLAND_DISPLAY, or start it from a desktop session</source>
        <translation>nessuno schermo trovato: imposta DISPLAY o WAYLAND_DISPLAY, oppure avvia il gioco da una sessione desktop</translation>
    </message>
</context>
<context>
    <name>Translations</name>
    <message>
        <source>en</source>
        <extracomment>The code of the language of this translation, as the name of its file has it (&quot;de&quot;, &quot;pt_BR&quot;). The race&apos;s pictures with words in them are chosen by it.</extracomment>
        <translation>it</translation>
    </message>
</context>
<context>
    <name>numblaze::MuteKey</name>
    <message>
        <source>Sound off</source>
        <translation>Audio disattivato</translation>
    </message>
    <message>
        <source>Sound on</source>
        <translation>Audio attivato</translation>
    </message>
</context>
</TS>
