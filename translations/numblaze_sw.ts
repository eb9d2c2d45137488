<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="sw">
<context>
    <name>Accessibility</name>
    <message>
        <source>News</source>
        <extracomment>The name, for screen readers, of the invisible bar on which each window shows what the game tells a reader (&quot;Right. 3 plus 8.&quot;): one short word.</extracomment>
        <translation>Habari</translation>
    </message>
    <message>
        <source>%1 of %2</source>
        <extracomment>Where an option button is in its group, as a screen reader says it after the button&apos;s name: &quot;2 of 4&quot;. %1 is its place, %2 the number of buttons in the group.</extracomment>
        <translation>%1 kati ya %2</translation>
    </message>
</context>
<context>
    <name>CommandLine</name>
    <message>
        <source>%1: %2 (try &apos;%1 --help&apos;)</source>
        <extracomment>A mistake on the command line, on the terminal: %1 is the program&apos;s name (&quot;numblaze&quot;), %2 what is wrong (&quot;unknown option &apos;--bogus&apos;&quot;). Keep &apos;%1 --help&apos; as it is: it is the command to type.</extracomment>
        <translation>%1: %2 (jaribu &apos;%1 --help&apos;)</translation>
    </message>
    <message>
        <source>Usage: %1 [options]</source>
        <extracomment>The first line of --help: %1 is the program&apos;s name. Qt&apos;s own translation of &quot;Usage:&quot; and &quot;[options]&quot; (qtbase) reads the same where it has this language.</extracomment>
        <translation>Matumizi: %1 [chaguo]</translation>
    </message>
    <message>
        <source>Race the computer with mental arithmetic.</source>
        <extracomment>What the game is, under the usage line of --help. The desktop file&apos;s Comment and the software centres&apos; summary say the same, without the full stop.</extracomment>
        <translation>Shindana na kompyuta kwa kuhesabu kichwani.</translation>
    </message>
    <message>
        <source>Show this help and quit.</source>
        <extracomment>What --help does, in the list of options --help prints.</extracomment>
        <translation>Onyesha msaada huu kisha funga.</translation>
    </message>
    <message>
        <source>Show the version of the game and quit.</source>
        <extracomment>What --version does, in the list of options.</extracomment>
        <translation>Onyesha toleo la mchezo kisha funga.</translation>
    </message>
    <message>
        <source>unknown option &apos;%1&apos;</source>
        <extracomment>%1 is the option as typed (&quot;--bogus&quot;), shown inside the mistake line.</extracomment>
        <translation>chaguo lisilojulikana &apos;%1&apos;</translation>
    </message>
    <message>
        <source>unexpected argument &apos;%1&apos;</source>
        <extracomment>%1 is a word given to the program that is no option (&quot;foo&quot;).</extracomment>
        <translation>hoja isiyotarajiwa &apos;%1&apos;</translation>
    </message>
    <message>
        <source>Start without sound (the M key turns it on).</source>
        <extracomment>What --mute does, in the list of options: M is the key that switches the sound on and off.</extracomment>
        <translation>Anza bila sauti (kitufe M huiwasha).</translation>
    </message>
    <message>
        <source>Give yourself extra time: the opponents race at half speed (F2 on the menu switches it too).</source>
        <extracomment>What --extra-time does, in the list of options: extra time halves every opponent&apos;s speed, and F2 on the menu switches it on or off.</extracomment>
        <translation>Jipe muda wa ziada: washindani wanakimbia kwa nusu ya kasi (F2 kwenye menyu pia hubadilisha hili).</translation>
    </message>
    <message>
        <source>In a race, F3 says the standing: your steps and your opponent&apos;s.</source>
        <extracomment>A second line under the game&apos;s description in --help: F3 is a key.</extracomment>
        <translation>Katika mbio, F3 husema hali ya mbio: hatua zako na za mshindani wako.</translation>
    </message>
    <message>
        <source>Listening time: the opponent waits while a screen reader says each sum. on, off or auto (the default: on when the game finds a screen reader). Kept for the next runs; F4 on the menu switches it too.</source>
        <extracomment>What --listening-time does, in the list of options. Keep &quot;on&quot;, &quot;off&quot; and &quot;auto&quot; as they are: the player types them. F4 is a key.</extracomment>
        <translation>Muda wa kusikiliza: mshindani anasubiri wakati kisoma skrini kinasoma kila hesabu. on, off au auto (chaguo-msingi: on mchezo ukipata kisoma skrini). Huhifadhiwa kwa mara zijazo; F4 kwenye menyu pia hubadilisha hili.</translation>
    </message>
    <message>
        <source>when</source>
        <extracomment>The value of --listening-time in the help</extracomment>
        <translation>lini</translation>
    </message>
    <message>
        <source>--listening-time takes on, off or auto, not &apos;%1&apos;</source>
        <extracomment>Keep &quot;on&quot;, &quot;off&quot; and &quot;auto&quot; as they are: the player types them</extracomment>
        <translation>--listening-time hupokea on, off au auto, si &apos;%1&apos;</translation>
    </message>
</context>
<context>
    <name>Form1</name>
    <message>
        <source>Press ENTER to send your answer!</source>
        <extracomment>The status button&apos;s caption while the race runs, on at most two lines of the wide button under the track (about 30 characters a line). ENTER is the key&apos;s name.</extracomment>
        <translation>Andika jibu kisha bonyeza ENTER!</translation>
    </message>
    <message>
        <source>You won!!!</source>
        <extracomment>The status button&apos;s caption after a won race, on one line.</extracomment>
        <translation>Umeshinda!!!</translation>
    </message>
    <message>
        <source>You lost!</source>
        <extracomment>The status button&apos;s caption after a lost race, on one line.</extracomment>
        <translation>Umepoteza!</translation>
    </message>
    <message>
        <source>Numblaze race</source>
        <extracomment>The race window&apos;s name, as a screen reader says it when the race comes up.</extracomment>
        <translation>Mbio za Numblaze</translation>
    </message>
    <message>
        <source>Answer</source>
        <extracomment>The answer box&apos;s name to screen readers: a noun, the box the answer is typed in.</extracomment>
        <translation>Jibu</translation>
    </message>
    <message>
        <source>Track</source>
        <extracomment>The race track&apos;s name to screen readers: a noun.</extracomment>
        <translation>Njia ya mbio</translation>
    </message>
    <message>
        <source>Your ball</source>
        <extracomment>The player&apos;s green ball on the track, as a screen reader names it.</extracomment>
        <translation>Mpira wako</translation>
    </message>
    <message>
        <source>Opponent&apos;s ball</source>
        <extracomment>The opponent&apos;s ball on the track, before the race knows the opponent (it is then named by the opponent&apos;s name).</extracomment>
        <translation>Mpira wa mshindani</translation>
    </message>
    <message>
        <source>Stop</source>
        <extracomment>The stop sign&apos;s name to screen readers: the button that leaves the race. A command or a noun, as a stop sign says it.</extracomment>
        <translation>Simama</translation>
    </message>
    <message>
        <source>Your opponent</source>
        <extracomment>Said in place of the opponent&apos;s name in the race&apos;s spoken phrases when the opponent is none of the three (it never is in a normal game).</extracomment>
        <translation>Mshindani wako</translation>
    </message>
    <message>
        <source>You %1, %2 %3.</source>
        <extracomment>The standing, spoken: %1 is how many steps of 11 the player&apos;s ball has come, %2 the opponent&apos;s name, %3 the opponent&apos;s steps: &quot;You 4, Bobby Blue 6.&quot;</extracomment>
        <translation>Wewe %1, %2 %3.</translation>
    </message>
    <message>
        <source>Go! %1.</source>
        <extracomment>Spoken as the race starts: %1 is the first equation in words (&quot;3 plus 8&quot;).</extracomment>
        <translation>Anza! %1.</translation>
    </message>
    <message>
        <source>Right.</source>
        <extracomment>Spoken after a right answer when the sound is off (with sound a chime says it), before the next equation.</extracomment>
        <translation>Sahihi.</translation>
    </message>
    <message>
        <source>Wrong.</source>
        <extracomment>Spoken after a wrong answer, before the equation again.</extracomment>
        <translation>Si sahihi.</translation>
    </message>
    <message>
        <source>%1 %2.</source>
        <extracomment>Spoken after an answer: %1 is what comes first (&quot;Right.&quot;, &quot;Wrong.&quot;, who leads: whole sentences with their stops), %2 the next equation in words (&quot;3 plus 8&quot;). Change the order or the stop only if the language needs it.</extracomment>
        <translation>%1 %2.</translation>
    </message>
    <message>
        <source>%1 is ahead.</source>
        <extracomment>Spoken before the next equation when the opponent %1 (a name, a boy&apos;s or a girl&apos;s) has taken the lead.</extracomment>
        <translation>%1 yuko mbele.</translation>
    </message>
    <message>
        <source>%1 is near the finish.</source>
        <extracomment>Spoken once, before the next equation, when the opponent %1 (a name, a boy&apos;s or a girl&apos;s: keep the words the same for both) is two steps from the finish line.</extracomment>
        <translation>%1 anakaribia mstari wa mwisho.</translation>
    </message>
    <message>
        <source>You lost! %1 got there first.</source>
        <extracomment>Spoken when the race is lost: %1 is the opponent&apos;s name, a boy&apos;s or a girl&apos;s (keep the words the same for both).</extracomment>
        <translation>Umepoteza! %1 amefika kwanza.</translation>
    </message>
    <message>
        <source>You won! Your highest number is now %1.</source>
        <extracomment>Spoken when a race is won whose math kind is unknown (it never is in a normal game): %1 is the new highest number.</extracomment>
        <translation>Umeshinda! Rekodi yako sasa ni %1.</translation>
    </message>
    <message>
        <source>You won! Your highest number for %1 against %2 is now %3.</source>
        <extracomment>Spoken when the race is won: %1 is the math kind&apos;s name (&quot;Addition&quot;), %2 the opponent&apos;s name, %3 the new highest number. &quot;Highest number&quot; is the game&apos;s word for the record.</extracomment>
        <translation>Umeshinda! Rekodi yako ya %1 dhidi ya %2 sasa ni %3.</translation>
    </message>
    <message>
        <source>Get ready</source>
        <extracomment>The status button&apos;s name to screen readers while it counts down &quot;3&quot;, &quot;2&quot;, &quot;1&quot;.</extracomment>
        <translation>Jiandae</translation>
    </message>
    <message>
        <source>%1 of %2 steps</source>
        <extracomment>Where a ball is, when a screen reader asks: %1 is the steps it has come, %2 is always 11, the steps to the finish line (so the plural of &quot;steps&quot; is always the one for 11).</extracomment>
        <translation>hatua %1 kati ya %2</translation>
    </message>
    <message>
        <source>Back to the menu</source>
        <extracomment>The status button&apos;s name to screen readers once the race is over: pressing it (or Enter) goes back to the menu.</extracomment>
        <translation>Rudi kwenye menyu</translation>
    </message>
    <message>
        <source>%1.</source>
        <extracomment>An equation said on its own, as the next one to answer: %1 is the equation in words (&quot;3 plus 8&quot;).</extracomment>
        <translation>%1.</translation>
    </message>
    <message>
        <source>You are ahead.</source>
        <extracomment>Spoken before the next equation when the player has taken the lead.</extracomment>
        <translation>Uko mbele.</translation>
    </message>
</context>
<context>
    <name>Form2</name>
    <message>
        <source>You can go on playing: the game tries again after your next win and when you leave.</source>
        <extracomment>Under the reason a won record could not be saved, in a message with one button, OK: name the button as the QPlatformTheme context names it.</extracomment>
        <translation>Bonyeza “Sawa” na uendelee kucheza. Baada ya ushindi wako unaofuata na unapotoka, mchezo utajaribu tena kuhifadhi rekodi zako.</translation>
    </message>
    <message>
        <source>Retry when the problem is solved, or discard the records of this game.</source>
        <extracomment>Under the reason the records could not be saved as the game ends, in a message with the buttons Retry and Discard: name them as the QPlatformTheme context names them.</extracomment>
        <translation>Bonyeza “Jaribu tena” tatizo likishatatuliwa: mchezo utajaribu tena kuhifadhi rekodi zako. Ukibonyeza “Usihifadhi”, mchezo utaisha na rekodi zako za leo hazitahifadhiwa.</translation>
    </message>
    <message>
        <source>Your highest number is %1.</source>
        <extracomment>The menu&apos;s record line, in bold under the opponents: %1 is the highest number of the chosen math kind and opponent. At most about 40 characters with a number of 8 digits.</extracomment>
        <translation>Rekodi yako ni %1.</translation>
    </message>
    <message>
        <source>Race against:</source>
        <extracomment>The heading of the three opponents, on at most two lines of 8 characters.</extracomment>
        <translation>Shindana na:</translation>
    </message>
    <message>
        <source>Race!</source>
        <extracomment>The menu&apos;s button that starts a race: at most 12 characters.</extracomment>
        <translation>Tukimbie!</translation>
    </message>
    <message>
        <source>Hall of Fame</source>
        <extracomment>The menu&apos;s button that shows the twelve records: at most 12 characters. The Hall of Fame&apos;s own title says the same.</extracomment>
        <translation>Rekodi</translation>
    </message>
    <message>
        <source>Math</source>
        <extracomment>The caption of the frame around the four math kinds on the menu: a short noun.</extracomment>
        <translation>Hesabu</translation>
    </message>
    <message>
        <source>Exit</source>
        <extracomment>The menu&apos;s button that ends the game: at most 9 characters.</extracomment>
        <translation>Toka</translation>
    </message>
    <message>
        <source>Extra time is on: press F2 to switch it off.</source>
        <extracomment>Said once a run on the menu when extra time is on.</extracomment>
        <translation>Muda wa ziada umewashwa: bonyeza F2 kuuzima.</translation>
    </message>
    <message>
        <source>For extra time, press F2: the opponents go at half speed.</source>
        <extracomment>Said once a run on the menu: how to get extra time, which halves every opponent&apos;s speed.</extracomment>
        <translation>Kupata muda wa ziada, bonyeza F2: washindani wataenda kwa nusu ya kasi.</translation>
    </message>
    <message>
        <source>%1 against %2: your highest number is %3.</source>
        <extracomment>Said as a choice is made on the menu: %1 is the math kind (&quot;Division&quot;), %2 the opponent&apos;s name, %3 the highest number (the record) of that pairing.</extracomment>
        <translation>%1 dhidi ya %2: rekodi yako ni %3.</translation>
    </message>
    <message>
        <source>Extra time on.</source>
        <extracomment>Said when F2 switches extra time on.</extracomment>
        <translation>Muda wa ziada umewashwa.</translation>
    </message>
    <message>
        <source>Extra time off.</source>
        <extracomment>Said when F2 switches extra time off.</extracomment>
        <translation>Muda wa ziada umezimwa.</translation>
    </message>
    <message>
        <source>In a race, press F3 to hear the standing.</source>
        <extracomment>Said once a run on the menu: F3 is the key that says who leads in a race.</extracomment>
        <translation>Katika mbio, bonyeza F3 kusikia hali ya mbio.</translation>
    </message>
    <message>
        <source>For listening time, press F4: the opponent waits while you hear each sum.</source>
        <extracomment>Said once a run on the menu while listening time is off: with it, the opponent waits while a screen reader says each sum.</extracomment>
        <translation>Kupata muda wa kusikiliza, bonyeza F4: mshindani atasubiri unaposikiliza kila hesabu.</translation>
    </message>
    <message>
        <source>Listening time on.</source>
        <extracomment>Said when F4 on the menu switches listening time on: the opponent then waits while a screen reader says each sum.</extracomment>
        <translation>Muda wa kusikiliza umewashwa.</translation>
    </message>
    <message>
        <source>Listening time off.</source>
        <extracomment>Said when F4 on the menu switches listening time off.</extracomment>
        <translation>Muda wa kusikiliza umezimwa.</translation>
    </message>
</context>
<context>
    <name>Form3</name>
    <message>
        <source>Numblaze Hall of Fame</source>
        <extracomment>The Hall of Fame window&apos;s title.</extracomment>
        <translation>Rekodi za Numblaze</translation>
    </message>
    <message>
        <source>Hall of Fame</source>
        <extracomment>The title of the screen of the twelve records, in large letters over the whole window (at most about 14 characters), and its name to screen readers.</extracomment>
        <translation>Rekodi</translation>
    </message>
    <message>
        <source>%1, %2: %3</source>
        <extracomment>One record of the Hall of Fame, as a screen reader names its cell: %1 is the math kind (&quot;Addition&quot;), %2 the opponent&apos;s name, %3 the record.</extracomment>
        <translation>%1, %2: %3</translation>
    </message>
    <message>
        <source>%1 %2</source>
        <comment>an opponent, then the record against that opponent</comment>
        <extracomment>Part of the Hall of Fame read out as it opens: %1 is an opponent&apos;s name, %2 the record against that opponent (&quot;Bobby Blue 5&quot;).</extracomment>
        <translation>%1 %2</translation>
    </message>
    <message>
        <source>%1: %2.</source>
        <comment>a math kind, then its records</comment>
        <extracomment>One row of the Hall of Fame read out as it opens: %1 is the math kind (&quot;Addition&quot;), %2 its three records as a list (&quot;Bobby Blue 5, Patty Purple 5 and Ronald Red 5&quot;).</extracomment>
        <translation>%1: %2.</translation>
    </message>
    <message>
        <source>Highest numbers</source>
        <extracomment>The name of the Hall of Fame&apos;s table of records to screen readers.</extracomment>
        <translation>Rekodi</translation>
    </message>
</context>
<context>
    <name>MathKinds</name>
    <message>
        <source>Addition</source>
        <extracomment>A math kind, as the menu offers it and the spoken records say it (&quot;Addition against Bobby Blue&quot;): the noun, not a verb. At most 13 characters on the menu.</extracomment>
        <translation>Kujumlisha</translation>
    </message>
    <message>
        <source>Subtraction</source>
        <extracomment>A math kind, as the menu offers it and the spoken records say it: the noun. At most 11 characters on the menu.</extracomment>
        <translation>Kutoa</translation>
    </message>
    <message>
        <source>Multiplication</source>
        <extracomment>A math kind, as the menu offers it and the spoken records say it: the noun. At most 14 characters on the menu.</extracomment>
        <translation>Kuzidisha</translation>
    </message>
    <message>
        <source>Division</source>
        <extracomment>A math kind, as the menu offers it and the spoken records say it: the noun. At most 11 characters on the menu.</extracomment>
        <translation>Kugawanya</translation>
    </message>
    <message>
        <source>Addition:</source>
        <extracomment>A row title of the Hall of Fame: the math kind&apos;s name and the language&apos;s colon. At most 15 characters.</extracomment>
        <translation>Kujumlisha:</translation>
    </message>
    <message>
        <source>+</source>
        <comment>the addition sign as the race shows it</comment>
        <extracomment>The addition sign as the race shows it and a screen reader says it, as the children of this language write it at school</extracomment>
        <translation>+</translation>
    </message>
    <message>
        <source>%1 plus %2</source>
        <extracomment>An addition in words, as a screen reader says it: %1 and %2 are numbers</extracomment>
        <translation>%1 jumlisha %2</translation>
    </message>
    <message>
        <source>Subtraction:</source>
        <extracomment>A row title of the Hall of Fame, with the language&apos;s colon. At most 15 characters.</extracomment>
        <translation>Kutoa:</translation>
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
        <translation>%1 toa %2</translation>
    </message>
    <message>
        <source>Multiplication:</source>
        <extracomment>A row title of the Hall of Fame, with the language&apos;s colon. At most 15 characters.</extracomment>
        <translation>Kuzidisha:</translation>
    </message>
    <message>
        <source>*</source>
        <comment>the multiplication sign as the race shows it</comment>
        <extracomment>The multiplication sign as the race shows it and a screen reader says it, as the children of this language write it at school (&quot;×&quot;, &quot;·&quot;)</extracomment>
        <translation>×</translation>
    </message>
    <message>
        <source>%1 times %2</source>
        <extracomment>A multiplication in words, as a screen reader says it: %1 and %2 are numbers</extracomment>
        <translation>%1 mara %2</translation>
    </message>
    <message>
        <source>Division:</source>
        <extracomment>A row title of the Hall of Fame, with the language&apos;s colon. At most 15 characters.</extracomment>
        <translation>Kugawanya:</translation>
    </message>
    <message>
        <source>/</source>
        <comment>the division sign as the race shows it</comment>
        <extracomment>The division sign as the race shows it and a screen reader says it, as the children of this language write it at school (&quot;÷&quot;, &quot;:&quot;)</extracomment>
        <translation>÷</translation>
    </message>
    <message>
        <source>%1 divided by %2</source>
        <extracomment>A division in words, as a screen reader says it: %1 and %2 are numbers</extracomment>
        <translation>%1 gawanya kwa %2</translation>
    </message>
    <message>
        <source>0123456789</source>
        <comment>the digits the race writes its numbers in</comment>
        <extracomment>The ten digits, zero to nine, as the children who speak this language learn to write numbers at school: the race shows its equations, the records and the countdown in them. Write them in order, nothing else: &quot;٠١٢٣٤٥٦٧٨٩&quot; in Arabic, &quot;۰۱۲۳۴۵۶۷۸۹&quot; in Persian; where schools teach 0 to 9, leave them as they are.</extracomment>
        <translation>0123456789</translation>
    </message>
    <message>
        <source>LTR</source>
        <comment>the direction an equation reads in</comment>
        <extracomment>Which way an equation reads in this language&apos;s schools: &quot;RTL&quot; (these three Latin letters) where children write its first number on the right and read it leftwards, as in most Arabic schoolbooks; &quot;LTR&quot; where they write it from left to right, also in a language written from right to left (Hebrew, Persian).</extracomment>
        <translation>LTR</translation>
    </message>
</context>
<context>
    <name>Opponents</name>
    <message>
        <source>Bobby Blue</source>
        <extracomment>The slowest opponent, a boy, whose ball is blue: a boy&apos;s first name and the colour, both starting with the same sound where the language allows (&quot;Bruno Blau&quot;). At most 12 characters.</extracomment>
        <translation>Baraka Buluu</translation>
    </message>
    <message>
        <source>Patty Purple</source>
        <extracomment>The middle opponent, a girl, whose ball is purple: a girl&apos;s first name and the colour, starting with the same sound where the language allows (&quot;Lotte Lila&quot;). At most 14 characters.</extracomment>
        <translation>Bi Zambarau</translation>
    </message>
    <message>
        <source>Ronald Red</source>
        <extracomment>The fastest opponent, a boy, whose ball is red: a boy&apos;s first name and the colour, starting with the same sound where the language allows (&quot;Rudi Rot&quot;). At most 12 characters.</extracomment>
        <translation>Ali Mwekundu</translation>
    </message>
</context>
<context>
    <name>QCommandLineParser</name>
    <message>
        <source>Options:</source>
        <extracomment>The heading of the list of options in --help. Take Qt&apos;s own translation where Qt has one in this language.</extracomment>
        <translation>Chaguo:</translation>
    </message>
    <message>
        <source>Unexpected value after &apos;%1&apos;.</source>
        <extracomment>A mistake on the command line: an option that takes no value was given one (&quot;--mute=1&quot;); %1 is the option. Take Qt&apos;s own translation where Qt has one in this language.</extracomment>
        <translation>Thamani isiyotarajiwa baada ya &apos;%1&apos;.</translation>
    </message>
</context>
<context>
    <name>QGuiApplication</name>
    <message>
        <source>QT_LAYOUT_DIRECTION</source>
        <extracomment>&quot;RTL&quot; (these three Latin letters) if this language is written from right to left, &quot;LTR&quot; if from left to right. Qt then lays out every screen that way, and the game mirrors its screens to match. Qt&apos;s own translations say the same where the system has them.</extracomment>
        <translation>LTR</translation>
    </message>
</context>
<context>
    <name>QLineEdit</name>
    <message>
        <source>&amp;Undo</source>
        <extracomment>A command of the answer box&apos;s menu (a right click). Take Qt&apos;s own translation where Qt has one in this language; &quot;&amp;&quot; marks the letter that chooses it with Alt.</extracomment>
        <translation>&amp;Tendua</translation>
    </message>
    <message>
        <source>&amp;Redo</source>
        <extracomment>A command of the answer box&apos;s menu. Take Qt&apos;s own translation where Qt has one.</extracomment>
        <translation>&amp;Rudia</translation>
    </message>
    <message>
        <source>Cu&amp;t</source>
        <extracomment>A command of the answer box&apos;s menu. Take Qt&apos;s own translation where Qt has one.</extracomment>
        <translation>&amp;Kata</translation>
    </message>
    <message>
        <source>&amp;Copy</source>
        <extracomment>A command of the answer box&apos;s menu. Take Qt&apos;s own translation where Qt has one.</extracomment>
        <translation>&amp;Nakili</translation>
    </message>
    <message>
        <source>&amp;Paste</source>
        <extracomment>A command of the answer box&apos;s menu. Take Qt&apos;s own translation where Qt has one.</extracomment>
        <translation>&amp;Bandika</translation>
    </message>
    <message>
        <source>Delete</source>
        <extracomment>A command of the answer box&apos;s menu. Take Qt&apos;s own translation where Qt has one.</extracomment>
        <translation>Futa</translation>
    </message>
    <message>
        <source>Select All</source>
        <extracomment>A command of the answer box&apos;s menu. Take Qt&apos;s own translation where Qt has one.</extracomment>
        <translation>Chagua zote</translation>
    </message>
</context>
<context>
    <name>QPlatformTheme</name>
    <message>
        <source>OK</source>
        <extracomment>The button that closes a message of the game. Take Qt&apos;s own translation of it where Qt has one in this language: the messages name the button as it is shown.</extracomment>
        <translation>Sawa</translation>
    </message>
    <message>
        <source>Retry</source>
        <extracomment>The button that tries again to save the records. Take Qt&apos;s own translation of it where Qt has one in this language.</extracomment>
        <translation>Jaribu tena</translation>
    </message>
    <message>
        <source>Discard</source>
        <extracomment>The button that lets the records of this game go, without saving them. Take Qt&apos;s own translation of it where Qt has one in this language.</extracomment>
        <translation>Usihifadhi</translation>
    </message>
</context>
<context>
    <name>Records</name>
    <message>
        <source>it is not an ordinary file</source>
        <extracomment>Why the records cannot be read or saved, put into a message after the file&apos;s name: a clause starting in lower case, without a full stop. &quot;It&quot; is the file Progress.txt.</extracomment>
        <translation>si faili ya kawaida</translation>
    </message>
    <message>
        <source>it is a link to a file that does not exist</source>
        <extracomment>Why the records cannot be read or saved (a clause in lower case, no full stop): &quot;it&quot; is the file Progress.txt, a link.</extracomment>
        <translation>ni kiungo cha faili ambayo haipo</translation>
    </message>
    <message>
        <source>it is a link to a file that belongs to another user</source>
        <extracomment>Why the records cannot be read or saved (a clause in lower case, no full stop): &quot;it&quot; is the file Progress.txt, a link.</extracomment>
        <translation>ni kiungo cha faili ya mtu mwingine</translation>
    </message>
    <message>
        <source>the file cannot be changed (%1)</source>
        <extracomment>Why the records cannot be saved (a clause in lower case): %1 is the system&apos;s own reason, in its own words (&quot;Permission denied&quot;).</extracomment>
        <translation>faili haiwezi kubadilishwa (%1)</translation>
    </message>
    <message>
        <source>the game is installed for every player of this computer</source>
        <extracomment>Why the records are not kept beside the program (a clause in lower case, put in brackets after the program&apos;s folder).</extracomment>
        <translation>mchezo umesakinishwa kwa kila mchezaji wa kompyuta hii</translation>
    </message>
    <message>
        <source>Numblaze could not make sure that it is the only copy of the game using the records in %1 (%2). Your records will still be saved, but do not play two copies at once.</source>
        <extracomment>A message at the start: %1 is the records file&apos;s full name, %2 the reason (a clause in lower case).</extracomment>
        <translation>Numblaze haikuweza kuhakikisha kuwa ndiyo nakala pekee ya mchezo inayotumia rekodi zilizo katika %1 (%2). Rekodi zako bado zitahifadhiwa, lakini usifungue mchezo mara mbili kwa wakati mmoja.</translation>
    </message>
    <message>
        <source>no file can be created beside the program in %1 (%2), nor in %3 (%4)</source>
        <extracomment>Why the records cannot be saved (a clause in lower case): %1 is the program&apos;s folder and %2 the reason there, %3 the player&apos;s own data folder and %4 the reason there.</extracomment>
        <translation>hakuna faili inayoweza kuundwa kando ya programu katika %1 (%2), wala katika %3 (%4)</translation>
    </message>
    <message>
        <source>Numblaze cannot save your records: %1. You can play, but the records you win today will not be kept.</source>
        <extracomment>A message at the start: %1 is the reason (a clause in lower case).</extracomment>
        <translation>Numblaze haiwezi kuhifadhi rekodi zako: %1. Unaweza kucheza, lakini rekodi utakazoshinda leo hazitahifadhiwa.</translation>
    </message>
    <message>
        <source>the records in %1 could not be copied to your own folder (%2)</source>
        <extracomment>Why the records cannot be saved (a clause in lower case): %1 is the records file beside the program, %2 the reason.</extracomment>
        <translation>rekodi zilizo katika %1 hazikuweza kunakiliwa kwenye folda yako (%2)</translation>
    </message>
    <message>
        <source>Numblaze could not read your records in %1 (%2). You can play, starting from the first records, but that file is left as it is and today&apos;s records will not be saved in it.</source>
        <extracomment>A message at the start, with one button, OK (name it as the QPlatformTheme context names it): %1 is the records file&apos;s full name, %2 the system&apos;s reason.</extracomment>
        <translation>Numblaze haikuweza kusoma rekodi zako katika %1 (%2). Bonyeza “Sawa” na ucheze ukianza na rekodi za mwanzo. Faili hiyo inaachwa kama ilivyo, na rekodi za leo hazitahifadhiwa ndani yake.</translation>
    </message>
    <message>
        <source>Your records in %1 will not be saved: %2. You can still play.</source>
        <extracomment>A message at the start: %1 is the records file&apos;s full name, %2 the reason (a clause in lower case).</extracomment>
        <translation>Rekodi zako katika %1 hazitahifadhiwa: %2. Bado unaweza kucheza.</translation>
    </message>
    <message>
        <source>another copy of Numblaze is using them</source>
        <extracomment>Why the records cannot be saved (a clause in lower case): &quot;them&quot; are the records.</extracomment>
        <translation>nakala nyingine ya Numblaze inazitumia</translation>
    </message>
    <message>
        <source>Numblaze could not save your records in %1: %2.</source>
        <extracomment>The first line of a message: %1 is the records file&apos;s full name, %2 the reason (a clause in lower case).</extracomment>
        <translation>Numblaze haikuweza kuhifadhi rekodi zako katika %1: %2.</translation>
    </message>
    <message>
        <source>the file could not be read (%1), so it is left as it is</source>
        <extracomment>Why the records cannot be saved (a clause in lower case): %1 is the system&apos;s reason.</extracomment>
        <translation>faili haikuweza kusomwa (%1), kwa hiyo imeachwa kama ilivyo</translation>
    </message>
    <message>
        <source>it is a link that another user made, or that lies in another user&apos;s folder</source>
        <extracomment>Why the records cannot be read or saved (a clause in lower case, no full stop): &quot;it&quot; is the file Progress.txt, a link.</extracomment>
        <translation>ni kiungo kilichoundwa na mtumiaji mwingine, au kilicho katika folda ya mtumiaji mwingine</translation>
    </message>
    <message>
        <source>no file there can be locked by you alone</source>
        <extracomment>Why the game cannot be sure it is the only copy using the records (a clause in lower case, put in brackets after the folder&apos;s name).</extracomment>
        <translation>hakuna faili huko inayoweza kufungwa na wewe peke yako</translation>
    </message>
    <message>
        <source>no file can be created beside the program in %1 (%2), and no home folder is set for a folder of your own</source>
        <extracomment>Why the records cannot be saved (a clause in lower case): %1 is the program&apos;s folder, %2 the reason there.</extracomment>
        <translation>hakuna faili inayoweza kuundwa kando ya programu katika %1 (%2), na hakuna folda ya nyumbani iliyowekwa kwa ajili ya folda yako mwenyewe</translation>
    </message>
    <message>
        <source>Your records are kept in %1 this time. Last time they were kept in %2: the records from both places are put together, and this game&apos;s wins are saved in %1.</source>
        <extracomment>A message at the start: %1 and %2 are the full names of two records files.</extracomment>
        <translation>Safari hii rekodi zako zinawekwa katika %1. Mara iliyopita ziliwekwa katika %2: rekodi za sehemu zote mbili zinaunganishwa, na ushindi wa mchezo huu unahifadhiwa katika %1.</translation>
    </message>
    <message>
        <source>%1 is a link that another user made, or that lies in another user&apos;s folder</source>
        <extracomment>Why a folder cannot be used for the records: %1 is a folder&apos;s full name.</extracomment>
        <translation>%1 ni kiungo kilichoundwa na mtumiaji mwingine, au kilicho katika folda ya mtumiaji mwingine</translation>
    </message>
    <message>
        <source>it does not belong to the owner of its folder</source>
        <extracomment>Why root leaves a player&apos;s records alone (a clause in lower case, no full stop): &quot;it&quot; is the file Progress.txt.</extracomment>
        <translation>faili si mali ya mwenye folda yake</translation>
    </message>
</context>
<context>
    <name>RunningCopy</name>
    <message>
        <source>Numblaze is already running.</source>
        <extracomment>The first line of the message a second start of the game shows.</extracomment>
        <translation>Numblaze tayari imefunguliwa.</translation>
    </message>
    <message>
        <source>Another user&apos;s copy of the game is using the records in %1. Close it, then start Numblaze again.</source>
        <extracomment>Under &quot;Numblaze is already running.&quot;: %1 is the records file&apos;s full name.</extracomment>
        <translation>Nakala ya mchezo ya mtumiaji mwingine inatumia rekodi zilizo katika %1. Ifunge, kisha uanzishe Numblaze tena.</translation>
    </message>
    <message>
        <source>Another copy of the game is using the records in %1, and it did not come to the front: it may run on another screen or as another user. Close it, then start Numblaze again.</source>
        <extracomment>Under &quot;Numblaze is already running.&quot;: %1 is the records file&apos;s full name.</extracomment>
        <translation>Nakala nyingine ya mchezo inatumia rekodi zilizo katika %1, na haikuja mbele: huenda inaendeshwa kwenye skrini nyingine au kama mtumiaji mwingine. Ifunge, kisha uanzishe Numblaze tena.</translation>
    </message>
    <message>
        <source>Another copy of the game, process %2 (%3), is using the records in %1, and it did not come to the front: it may run on another screen. Close it, then start Numblaze again.</source>
        <extracomment>Under &quot;Numblaze is already running.&quot;: %1 is the records file&apos;s full name, %2 the running copy&apos;s process number, %3 its program&apos;s file name.</extracomment>
        <translation>Nakala nyingine ya mchezo, mchakato %2 (%3), inatumia rekodi zilizo katika %1, na haikuja mbele: huenda inaendeshwa kwenye skrini nyingine. Ifunge, kisha uanzishe Numblaze tena.</translation>
    </message>
</context>
<context>
    <name>Sound</name>
    <message>
        <source>no sound device found; playing without sound</source>
        <translation>hakuna kifaa cha sauti kilichopatikana; mchezo unaendelea bila sauti</translation>
    </message>
    <message>
        <source>the sound device stopped working; playing on without sound</source>
        <translation>kifaa cha sauti kimeacha kufanya kazi; mchezo unaendelea bila sauti</translation>
    </message>
    <message>
        <source>the sound server stopped taking the game&apos;s sound; its stream was opened again</source>
        <translation>seva ya sauti iliacha kupokea sauti ya mchezo; mkondo wake umefunguliwa upya</translation>
    </message>
</context>
<context>
    <name>Startup</name>
    <message>
        <source>no display found: set DISPLAY or WAYLAND_DISPLAY, or start it from a desktop session</source>
        <extracomment>Printed on the terminal when the game is started where there is no screen. DISPLAY and WAYLAND_DISPLAY are names to type as they are.</extracomment>
        <translation>hakuna skrini iliyopatikana: weka DISPLAY au WAYLAND_DISPLAY, au uanzishe mchezo kutoka kwenye kipindi cha eneo-kazi</translation>
    </message>
</context>
<context>
    <name>Translations</name>
    <message>
        <source>en</source>
        <extracomment>The code of the language of this translation, as the name of its file has it (&quot;de&quot;, &quot;pt_BR&quot;). The race&apos;s pictures with words in them, and the fonts the game draws its texts in, are chosen by it.</extracomment>
        <translation>sw</translation>
    </message>
</context>
<context>
    <name>numblaze::MuteKey</name>
    <message>
        <source>Sound off</source>
        <translation>Sauti imezimwa</translation>
    </message>
    <message>
        <source>Sound on</source>
        <translation>Sauti imewashwa</translation>
    </message>
</context>
</TS>
