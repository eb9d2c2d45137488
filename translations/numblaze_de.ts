<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de">
<context>
    <name>Accessibility</name>
    <message>
        <source>News</source>
        <translation>Neuigkeiten</translation>
    </message>
    <message>
        <source>%1 of %2</source>
        <translation>%1 von %2</translation>
    </message>
</context>
<context>
    <name>CommandLine</name>
    <message>
        <source>%1: %2 (try &apos;%1 --help&apos;)</source>
        <translation>%1: %2 (probier &apos;%1 --help&apos;)</translation>
    </message>
    <message>
        <source>Usage: %1 [options]</source>
        <translation>Aufruf: %1 [Optionen]</translation>
    </message>
    <message>
        <source>Race the computer with mental arithmetic.</source>
        <translation>Renn gegen den Computer und rechne im Kopf.</translation>
    </message>
    <message>
        <source>Show this help and quit.</source>
        <translation>Diese Hilfe zeigen und beenden.</translation>
    </message>
    <message>
        <source>Show the version of the game and quit.</source>
        <translation>Die Version des Spiels zeigen und beenden.</translation>
    </message>
    <message>
        <source>unknown option &apos;%1&apos;</source>
        <translation>unbekannte Option &apos;%1&apos;</translation>
    </message>
    <message>
        <source>unexpected argument &apos;%1&apos;</source>
        <translation>unerwartetes Argument &apos;%1&apos;</translation>
    </message>
    <message>
        <source>Start without sound (the M key turns it on).</source>
        <translation>Ohne Ton starten (die Taste M schaltet ihn ein).</translation>
    </message>
    <message>
        <source>Give yourself extra time: the opponents race at half speed (F2 on the menu switches it too).</source>
        <translation>Mehr Zeit für dich: Die Gegner fahren mit halber Geschwindigkeit (F2 im Menü schaltet das auch).</translation>
    </message>
</context>
<context>
    <name>Form1</name>
    <message>
        <source>Press ENTER to send your answer!</source>
        <translation>Tipp die Antwort ein und drück Enter!</translation>
    </message>
    <message>
        <source>You won!!!</source>
        <translation>Du hast gewonnen!!!</translation>
    </message>
    <message>
        <source>You lost!</source>
        <translation>Du hast verloren!</translation>
    </message>
    <message>
        <source>Numblaze race</source>
        <translation>Numblaze-Rennen</translation>
    </message>
    <message>
        <source>Answer</source>
        <translation>Antwort</translation>
    </message>
    <message>
        <source>Track</source>
        <translation>Rennbahn</translation>
    </message>
    <message>
        <source>Your ball</source>
        <translation>Dein Ball</translation>
    </message>
    <message>
        <source>Opponent&apos;s ball</source>
        <translation>Ball des Gegners</translation>
    </message>
    <message>
        <source>Stop</source>
        <translation>Stopp</translation>
    </message>
    <message>
        <source>Your opponent</source>
        <translation>Dein Gegner</translation>
    </message>
    <message>
        <source>You %1, %2 %3.</source>
        <translation>Du %1, %2 %3.</translation>
    </message>
    <message>
        <source>Go! %1.</source>
        <translation>Los! %1.</translation>
    </message>
    <message>
        <source>Right.</source>
        <translation>Richtig.</translation>
    </message>
    <message>
        <source>Wrong.</source>
        <translation>Falsch.</translation>
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
        <translation>%1 liegt vorne.</translation>
    </message>
    <message>
        <source>%1 is near the finish.</source>
        <translation>%1 ist kurz vor dem Ziel.</translation>
    </message>
    <message>
        <source>You lost! %1 got there first.</source>
        <translation>Du hast verloren! %1 war zuerst im Ziel.</translation>
    </message>
    <message>
        <source>You won! Your highest number is now %1.</source>
        <translation>Du hast gewonnen! Dein Rekord ist jetzt %1.</translation>
    </message>
    <message>
        <source>You won! Your highest number for %1 against %2 is now %3.</source>
        <translation>Du hast gewonnen! Dein Rekord für %1 gegen %2 ist jetzt %3.</translation>
    </message>
    <message>
        <source>Get ready</source>
        <translation>Mach dich bereit</translation>
    </message>
    <message>
        <source>%1 of %2 steps</source>
        <translation>%1 von %2 Schritten</translation>
    </message>
    <message>
        <source>Back to the menu</source>
        <translation>Zurück zum Menü</translation>
    </message>
</context>
<context>
    <name>Form2</name>
    <message>
        <source>You can go on playing: the game tries again after your next win and when you leave.</source>
        <translation>Drück „OK“ und spiel weiter. Nach deinem nächsten Sieg und beim Beenden versucht das Spiel noch einmal, deine Rekorde zu speichern.</translation>
    </message>
    <message>
        <source>Retry when the problem is solved, or discard the records of this game.</source>
        <translation>Drück „Wiederholen“, wenn das Problem gelöst ist: Dann versucht das Spiel noch einmal, deine Rekorde zu speichern. Drück „Verwerfen“, dann endet das Spiel, und deine Rekorde von heute werden nicht gespeichert.</translation>
    </message>
    <message>
        <source>Your highest number is %1.</source>
        <translation>Dein Rekord ist %1.</translation>
    </message>
    <message>
        <source>Race against:</source>
        <translation>Rennen gegen:</translation>
    </message>
    <message>
        <source>Race!</source>
        <translation>Los!</translation>
    </message>
    <message>
        <source>Hall of Fame</source>
        <translation>Rekorde</translation>
    </message>
    <message>
        <source>Math</source>
        <translation>Rechnen</translation>
    </message>
    <message>
        <source>Exit</source>
        <translation>Ende</translation>
    </message>
    <message>
        <source>Extra time is on: press F2 to switch it off.</source>
        <translation>Mehr Zeit ist an: Drücke F2, um sie auszuschalten.</translation>
    </message>
    <message>
        <source>For extra time, press F2: the opponents go at half speed.</source>
        <translation>Für mehr Zeit drücke F2: Die Gegner fahren mit halber Geschwindigkeit.</translation>
    </message>
    <message>
        <source>%1 against %2: your highest number is %3.</source>
        <translation>%1 gegen %2: Dein Rekord ist %3.</translation>
    </message>
    <message>
        <source>Extra time on.</source>
        <translation>Mehr Zeit an.</translation>
    </message>
    <message>
        <source>Extra time off.</source>
        <translation>Mehr Zeit aus.</translation>
    </message>
</context>
<context>
    <name>Form3</name>
    <message>
        <source>Numblaze Hall of Fame</source>
        <translation>Numblaze: Rekorde</translation>
    </message>
    <message>
        <source>Hall of Fame</source>
        <translation>Rekorde</translation>
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
        <translation>Rekorde</translation>
    </message>
</context>
<context>
    <name>MathKinds</name>
    <message>
        <source>Addition</source>
        <extracomment>A math kind, as the menu offers it and the records say it</extracomment>
        <translation>Plus</translation>
    </message>
    <message>
        <source>Subtraction</source>
        <translation>Minus</translation>
    </message>
    <message>
        <source>Multiplication</source>
        <translation>Mal</translation>
    </message>
    <message>
        <source>Division</source>
        <translation>Geteilt</translation>
    </message>
    <message>
        <source>Addition:</source>
        <extracomment>A row title of the Hall of Fame</extracomment>
        <translation>Plus:</translation>
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
        <translation>%1 plus %2</translation>
    </message>
    <message>
        <source>Subtraction:</source>
        <translation>Minus:</translation>
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
        <translation>%1 minus %2</translation>
    </message>
    <message>
        <source>Multiplication:</source>
        <translation>Mal:</translation>
    </message>
    <message>
        <source>*</source>
        <comment>the multiplication sign as the race shows it</comment>
        <extracomment>The multiplication sign as the race shows it and a screen reader says it</extracomment>
        <translation>·</translation>
    </message>
    <message>
        <source>%1 times %2</source>
        <extracomment>A multiplication in words, as a screen reader says it: %1 and %2 are numbers</extracomment>
        <translation>%1 mal %2</translation>
    </message>
    <message>
        <source>Division:</source>
        <translation>Geteilt:</translation>
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
        <translation>%1 geteilt durch %2</translation>
    </message>
</context>
<context>
    <name>Opponents</name>
    <message>
        <source>Bobby Blue</source>
        <translation>Bruno Blau</translation>
    </message>
    <message>
        <source>Patty Purple</source>
        <translation>Lotte Lila</translation>
    </message>
    <message>
        <source>Ronald Red</source>
        <translation>Rudi Rot</translation>
    </message>
</context>
<context>
    <name>Records</name>
    <message>
        <source>it is not an ordinary file</source>
        <translation>es ist keine normale Datei</translation>
    </message>
    <message>
        <source>it is a link to a file that does not exist</source>
        <translation>es ist ein Verweis auf eine Datei, die es nicht gibt</translation>
    </message>
    <message>
        <source>it is a link to a file that belongs to another user</source>
        <translation>es ist ein Verweis auf die Datei von jemand anderem</translation>
    </message>
    <message>
        <source>the file cannot be changed (%1)</source>
        <translation>die Datei kann nicht geändert werden (%1)</translation>
    </message>
    <message>
        <source>the game is installed for every player of this computer</source>
        <translation>das Spiel ist für alle Spieler auf diesem Computer installiert</translation>
    </message>
    <message>
        <source>Numblaze could not make sure that it is the only copy of the game using the records in %1 (%2). Your records will still be saved, but do not play two copies at once.</source>
        <translation>Numblaze konnte nicht prüfen, ob es als einziges Spiel die Rekorde in %1 benutzt (%2). Deine Rekorde werden trotzdem gespeichert, aber spiel nicht zweimal gleichzeitig.</translation>
    </message>
    <message>
        <source>no file can be created beside the program in %1 (%2), nor in %3 (%4)</source>
        <translation>weder neben dem Programm in %1 (%2) noch in %3 (%4) kann eine Datei angelegt werden</translation>
    </message>
    <message>
        <source>Numblaze cannot save your records: %1. You can play, but the records you win today will not be kept.</source>
        <translation>Numblaze kann deine Rekorde nicht speichern: %1. Du kannst spielen, aber deine Rekorde von heute werden nicht gespeichert.</translation>
    </message>
    <message>
        <source>the records in %1 could not be copied to your own folder (%2)</source>
        <translation>die Rekorde in %1 konnten nicht in deinen eigenen Ordner kopiert werden (%2)</translation>
    </message>
    <message>
        <source>Numblaze could not read your records in %1 (%2). You can play, starting from the first records, but that file is left as it is and today&apos;s records will not be saved in it.</source>
        <translation>Numblaze konnte deine Rekorde in %1 nicht lesen (%2). Drück „OK“ und spiel mit den ersten Rekorden. Die Datei bleibt, wie sie ist, und deine Rekorde von heute werden nicht darin gespeichert.</translation>
    </message>
    <message>
        <source>Your records in %1 will not be saved: %2. You can still play.</source>
        <translation>Deine Rekorde in %1 werden nicht gespeichert: %2. Du kannst trotzdem spielen.</translation>
    </message>
    <message>
        <source>another copy of Numblaze is using them</source>
        <translation>ein anderes Numblaze benutzt sie gerade</translation>
    </message>
    <message>
        <source>Numblaze could not save your records in %1: %2.</source>
        <translation>Numblaze konnte deine Rekorde in %1 nicht speichern: %2.</translation>
    </message>
    <message>
        <source>the file could not be read (%1), so it is left as it is</source>
        <translation>die Datei konnte nicht gelesen werden (%1), darum bleibt sie, wie sie ist</translation>
    </message>
    <message>
        <source>it is a link that another user made, or that lies in another user&apos;s folder</source>
        <translation>es ist eine Verknüpfung, die ein anderer Benutzer angelegt hat oder die im Ordner eines anderen Benutzers liegt</translation>
    </message>
    <message>
        <source>no file there can be locked by you alone</source>
        <translation>dort kann keine Datei allein von dir gesperrt werden</translation>
    </message>
    <message>
        <source>no file can be created beside the program in %1 (%2), and no home folder is set for a folder of your own</source>
        <translation>neben dem Programm in %1 kann keine Datei angelegt werden (%2), und es ist kein persönlicher Ordner gesetzt, in dem du einen eigenen Ordner hättest</translation>
    </message>
    <message>
        <source>Your records are kept in %1 this time. Last time they were kept in %2: the records from both places are put together, and this game&apos;s wins are saved in %1.</source>
        <translation>Deine Rekorde werden diesmal in %1 gespeichert. Letztes Mal lagen sie in %2: Die Rekorde beider Orte werden zusammengeführt, und die Siege dieses Spiels werden in %1 gespeichert.</translation>
    </message>
</context>
<context>
    <name>RunningCopy</name>
    <message>
        <source>Numblaze is already running.</source>
        <translation>Numblaze läuft schon.</translation>
    </message>
    <message>
        <source>Another user&apos;s copy of the game is using the records in %1. Close it, then start Numblaze again.</source>
        <translation>Die Kopie des Spiels eines anderen Benutzers verwendet die Rekorde in %1. Schließe sie und starte Numblaze dann erneut.</translation>
    </message>
    <message>
        <source>Another copy of the game is using the records in %1, and it did not come to the front: it may run on another screen or as another user. Close it, then start Numblaze again.</source>
        <translation>Eine andere Kopie des Spiels verwendet die Rekorde in %1 und ist nicht in den Vordergrund gekommen: Sie läuft vielleicht auf einem anderen Bildschirm oder als anderer Benutzer. Schließe sie und starte Numblaze dann erneut.</translation>
    </message>
</context>
<context>
    <name>Sound</name>
    <message>
        <source>no sound device found; playing without sound</source>
        <translation>kein Tonausgabegerät gefunden; es wird ohne Ton gespielt</translation>
    </message>
    <message>
        <source>the sound device stopped working; playing on without sound</source>
        <translation>das Tonausgabegerät funktioniert nicht mehr; es wird ohne Ton weitergespielt</translation>
    </message>
    <message>
        <source>the sound server stopped taking the game&apos;s sound; its stream was opened again</source>
        <translation>der Tonserver hat den Ton des Spiels nicht mehr angenommen; sein Datenstrom wurde neu geöffnet</translation>
    </message>
</context>
<context>
    <name>Startup</name>
    <message>
        <source>no display found: set DISPLAY or WAYLAND_DISPLAY, or start it from a desktop session</source>
        <translation>kein Bildschirm gefunden: setze DISPLAY oder WAYLAND_DISPLAY oder starte das Spiel in einer Desktop-Sitzung</translation>
    </message>
</context>
<context>
    <name>Translations</name>
    <message>
        <source>en</source>
        <extracomment>The code of the language of this translation, as the name of its file has it (&quot;de&quot;, &quot;pt_BR&quot;). The race&apos;s pictures with words in them are chosen by it.</extracomment>
        <translation>de</translation>
    </message>
</context>
<context>
    <name>numblaze::MuteKey</name>
    <message>
        <source>Sound off</source>
        <translation>Ton aus</translation>
    </message>
    <message>
        <source>Sound on</source>
        <translation>Ton an</translation>
    </message>
</context>
</TS>
