<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="pl_PL" sourcelanguage="en">
<context>
    <name>vornix::CartridgeWindow</name>
    <message>
        <source>Pure Binary .bin file</source>
        <translation>Czysty plik binarny .bin</translation>
    </message>
    <message>
        <source>Binary C64 .PRG file with load-address</source>
        <translation>Binarny plik C64 .PRG z adresem ładowania</translation>
    </message>
    <message>
        <source>Generic 8kb/16kb .crt file</source>
        <translation>Zwykły plik .crt 8kb/16kb</translation>
    </message>
    <message>
        <source>Ultimax mode 4kb/16kb .crt file</source>
        <translation>Plik .crt trybu Ultimax 4kb/16kb</translation>
    </message>
    <message>
        <source>Action Replay .crt file</source>
        <translation>Plik .crt Action Replay</translation>
    </message>
    <message>
        <source>KCS .crt file</source>
        <translation>Plik .crt KCS</translation>
    </message>
    <message>
        <source>Final Cartridge 3 .crt file</source>
        <translation>Plik .crt Final Cartridge 3</translation>
    </message>
    <message>
        <source>Simons Basic .crt file</source>
        <translation>Plik .crt Simons Basic</translation>
    </message>
    <message>
        <source>Ocean type 1/2 .crt file</source>
        <translation>Plik .crt Ocean typu 1/2</translation>
    </message>
    <message>
        <source>Expert Cartridge .crt file</source>
        <translation>Plik .crt Expert Cartridge</translation>
    </message>
    <message>
        <source>Fun Play, Power Play .crt file</source>
        <translation>Plik .crt Fun Play, Power Play</translation>
    </message>
    <message>
        <source>Super Games .crt file</source>
        <translation>Plik .crt Super Games</translation>
    </message>
    <message>
        <source>Atomic Power .crt file</source>
        <translation>Plik .crt Atomic Power</translation>
    </message>
    <message>
        <source>Epyx Fastload .crt file</source>
        <translation>Plik .crt Epyx Fastload</translation>
    </message>
    <message>
        <source>Westermann Learning .crt file</source>
        <translation>Plik .crt Westermann Learning</translation>
    </message>
    <message>
        <source>Rex Utility .crt file</source>
        <translation>Plik .crt Rex Utility</translation>
    </message>
    <message>
        <source>Final Cartridge 1 .crt file</source>
        <translation>Plik .crt Final Cartridge 1</translation>
    </message>
    <message>
        <source>Magic Formel .crt file</source>
        <translation>Plik .crt Magic Formel</translation>
    </message>
    <message>
        <source>C64GS, System 3 .crt file</source>
        <translation>Plik .crt C64GS, System 3</translation>
    </message>
    <message>
        <source>WarpSpeed .crt file</source>
        <translation>Plik .crt WarpSpeed</translation>
    </message>
    <message>
        <source>Dinamic .crt file</source>
        <translation>Plik .crt Dinamic</translation>
    </message>
    <message>
        <source>Zaxxon, Super Zaxxon .crt file</source>
        <translation>Plik .crt Zaxxon, Super Zaxxon</translation>
    </message>
    <message>
        <source>Magic Desk, Domark, Hes Australia .crt file</source>
        <translation>Plik .crt Magic Desk, Domark, Hes Australia</translation>
    </message>
    <message>
        <source>Super Snapshot 5 .crt file</source>
        <translation>Plik .crt Super Snapshot 5</translation>
    </message>
    <message>
        <source>Comal-80 .crt file</source>
        <translation>Plik .crt Comal-80</translation>
    </message>
    <message>
        <source>Structured Basic .crt file</source>
        <translation>Plik .crt Structured Basic</translation>
    </message>
    <message>
        <source>Ross .crt file</source>
        <translation>Plik .crt Ross</translation>
    </message>
    <message>
        <source>Mikro Assembler .crt file</source>
        <translation>Plik .crt Mikro Assembler</translation>
    </message>
    <message>
        <source>Cartconv GUI</source>
        <translation>Cartconv – konwersja cartridge</translation>
    </message>
    <message>
        <source>Destination:</source>
        <translation>Docelowo:</translation>
    </message>
    <message>
        <source>Load address:</source>
        <translation>Adres ładowania:</translation>
    </message>
    <message>
        <source>Cart name:</source>
        <translation>Nazwa cartridge:</translation>
    </message>
    <message>
        <source>Clear</source>
        <translation>Wyczyść</translation>
    </message>
    <message>
        <source>Copy</source>
        <translation>Kopiuj</translation>
    </message>
    <message>
        <source>Start</source>
        <translation>Start</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Zamknij</translation>
    </message>
    <message>
        <source>%1 not found! Please download it with VICE emulator and copy to program directory or PATH!</source>
        <translation>PROGRAM NIE BĘDZIE DZIAŁAŁ! Ściągnij emulator VICE i przegraj z niego plik %1 do katalogu programu lub ścieżki PATH.</translation>
    </message>
    <message>
        <source>CartConv.exe OK</source>
        <translation>CartConv.exe OK</translation>
    </message>
    <message>
        <source>cartconv comes with the VICE emulator - thanks to the VICE team.</source>
        <translation>cartconv pochodzi z emulatora VICE - podziękowania dla zespołu VICE.</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not a destination of the list. Please choose one from the list.</source>
        <translation>&quot;%1&quot; nie jest pozycją listy. Wybierz typ docelowy z listy.</translation>
    </message>
    <message>
        <source>Choose the cartridge or binary file</source>
        <translation>Wybierz plik cartridge lub dane binarne</translation>
    </message>
    <message>
        <source>Cartridge images (*.CRT)</source>
        <translation>Obrazy cartridge (*.CRT)</translation>
    </message>
    <message>
        <source>Binary data (*.BIN)</source>
        <translation>Dane binarne (*.BIN)</translation>
    </message>
    <message>
        <source>All files (*.*)</source>
        <translation>Wszystkie pliki (*.*)</translation>
    </message>
    <message>
        <source>Save the converted file as</source>
        <translation>Zapisz przekonwertowany plik jako</translation>
    </message>
    <message>
        <source>C64 programs (PRG)</source>
        <translation>Programy C64 (PRG)</translation>
    </message>
    <message>
        <source>C64 cartridges (CRT)</source>
        <translation>Cartridge C64 (CRT)</translation>
    </message>
    <message>
        <source>Binary data (BIN)</source>
        <translation>Dane binarne (BIN)</translation>
    </message>
    <message>
        <source>All files </source>
        <translation>Wszystkie pliki </translation>
    </message>
    <message>
        <source>%1 already exists.
Do you want to replace it?</source>
        <translation>%1 już istnieje.
Zastąpić?</translation>
    </message>
    <message>
        <source>The run could not be started.</source>
        <translation>Nie można uruchomić programu.</translation>
    </message>
</context>
<context>
    <name>vornix::CompressionWindow</name>
    <message>
        <source>Stand-alone</source>
        <translation>Samodzielny</translation>
    </message>
    <message>
        <source>Basic (not in v. 2k3)</source>
        <translation>Basic (nie w wersji 2k3)</translation>
    </message>
    <message>
        <source>Bigger, but faster</source>
        <translation>Większy, ale szybszy</translation>
    </message>
    <message>
        <source>Smaller, but slower</source>
        <translation>Mniejszy, ale wolniejszy</translation>
    </message>
    <message>
        <source>Medium</source>
        <translation>Średni</translation>
    </message>
    <message>
        <source>PUCrunch GUI</source>
        <translation>PUCrunch – kompresja programów</translation>
    </message>
    <message>
        <source>Machine</source>
        <translation>Komputer</translation>
    </message>
    <message>
        <source>Decompressor:</source>
        <translation>Dekompresor</translation>
    </message>
    <message>
        <source>-m option (max len)</source>
        <translation>Opcja -m</translation>
    </message>
    <message>
        <source>Avoid video matrix in VIC20 mode</source>
        <translation>Unikaj video matrix przy VIC20</translation>
    </message>
    <message>
        <source>Default load address</source>
        <translation>Domyślny adres ład.</translation>
    </message>
    <message>
        <source>Default Execution address</source>
        <translation>Domyślny adres wykon.</translation>
    </message>
    <message>
        <source>Disable 2MHz mode (C128) / 2X Mode (C16/+4)</source>
        <translation>Wyłącz tryb 2MHz C128 / 2X C16+4</translation>
    </message>
    <message>
        <source>Delta Matching (better compression longer time)</source>
        <translation>Kompresja delta (lepiej pakuje kosztem czasu)</translation>
    </message>
    <message>
        <source>-P option:</source>
        <translation>Opcja -P</translation>
    </message>
    <message>
        <source>Clear</source>
        <translation>Wyczyść</translation>
    </message>
    <message>
        <source>Copy selected</source>
        <translation>Kopiuj zazn.</translation>
    </message>
    <message>
        <source>Run</source>
        <translation>Uruchom</translation>
    </message>
    <message>
        <source>Exit</source>
        <translation>Wyjście</translation>
    </message>
    <message>
        <source>Stop</source>
        <translation>Zatrzymaj</translation>
    </message>
    <message>
        <source>There is no %1 in the program folder or on the PATH. The program cannot continue. Please download it!</source>
        <translation>Program nie będzie działał! Proszę ściągnąć plik %1 i umieścić go w katalogu programu lub w ścieżce PATH!</translation>
    </message>
    <message>
        <source>Commodore PRG</source>
        <translation>Program Commodore PRG</translation>
    </message>
    <message>
        <source>All files</source>
        <translation>Wszystkie pliki</translation>
    </message>
    <message>
        <source>C64 PRG</source>
        <translation>Program C64 PRG</translation>
    </message>
    <message>
        <source>PUCrunch.exe OK</source>
        <translation>PUCrunch.exe OK</translation>
    </message>
    <message>
        <source>Stopped: the compressor was ended.</source>
        <translation>Zatrzymano: kompresor został zakończony.</translation>
    </message>
    <message>
        <source>The compressor has ended.</source>
        <translation>Kompresor zakończył pracę.</translation>
    </message>
    <message>
        <source>The compressor of the last run is still running; Stop ends it.</source>
        <translation>Kompresor z poprzedniego uruchomienia nadal działa; Zatrzymaj kończy jego pracę.</translation>
    </message>
    <message>
        <source>Choose the program to compress</source>
        <translation>Wybierz program do kompresji</translation>
    </message>
    <message>
        <source>Save the compressed program as</source>
        <translation>Zapisz skompresowany program jako</translation>
    </message>
    <message>
        <source>The compressor printed nothing within the time limit and was stopped; %1 stays uncompressed.</source>
        <translation>Kompresor nic nie wypisał w wyznaczonym czasie i został zatrzymany; %1 pozostaje bez kompresji.</translation>
    </message>
    <message>
        <source>The compressor is still running, but it printed nothing within the time limit and is no longer waited for: it has not finished, and what it prints from now on is not shown. Stop ends it.</source>
        <translation>Kompresor nadal działa, ale nic nie wypisał w wyznaczonym czasie i okno już na niego nie czeka: nie skończył pracy, a jego dalsze komunikaty nie będą pokazane. Zatrzymaj kończy jego pracę.</translation>
    </message>
    <message>
        <source>Finished compressing</source>
        <translation>Kompresja zakończona</translation>
    </message>
    <message>
        <source>Busy: %1 was not compressed.</source>
        <translation>Zajęty: %1 nie został skompresowany.</translation>
    </message>
    <message>
        <source>Cannot remove the old %1</source>
        <translation>Nie można usunąć starego pliku %1</translation>
    </message>
</context>
<context>
    <name>vornix::LogView</name>
    <message>
        <source>&amp;Copy</source>
        <translation>&amp;Kopiuj</translation>
    </message>
    <message>
        <source>&amp;Paste</source>
        <translation>&amp;Wklej</translation>
    </message>
    <message>
        <source>Select &amp;all</source>
        <translation>Zaznacz &amp;wszystko</translation>
    </message>
</context>
<context>
    <name>vornix::ProcessRunner</name>
    <message>
        <source>%1 doesn&apos;t exist.</source>
        <translation>%1 nie istnieje.</translation>
    </message>
</context>
<context>
    <name>vornix::QtDialogs</name>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>&amp;Yes</source>
        <translation>&amp;Tak</translation>
    </message>
    <message>
        <source>&amp;No</source>
        <translation>&amp;Nie</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Anuluj</translation>
    </message>
</context>
<context>
    <name>vornix::ResultTexts</name>
    <message>
        <source>Cannot read %1: %2.</source>
        <translation>Nie można odczytać %1: %2.</translation>
    </message>
    <message>
        <source>Cannot read all of %1.</source>
        <translation>Nie można odczytać całego pliku %1.</translation>
    </message>
    <message>
        <source>%1 is too large (%2 bytes): its program, loaded at $0801, would end beyond $FFFF, the end of the C64&apos;s memory; at most %3 bytes of picture fit.</source>
        <translation>%1 jest za duży (%2 bajtów): jego program, ładowany pod $0801, kończyłby się za $FFFF, końcem pamięci C64; mieści się najwyżej %3 bajtów obrazu.</translation>
    </message>
    <message>
        <source>%1 is too large (%2 bytes): its program, loaded at $0801, would end at %3, but from $D000 on LOAD writes into the I/O chips; at most %4 bytes of picture fit.</source>
        <translation>%1 jest za duży (%2 bajtów): jego program, ładowany pod $0801, kończyłby się pod %3, a od $D000 LOAD zapisuje do układów wejścia-wyjścia; mieści się najwyżej %4 bajtów obrazu.</translation>
    </message>
    <message>
        <source>The FLI viewer is missing from this build of the program.</source>
        <translation>W tej wersji programu brakuje przeglądarki FLI.</translation>
    </message>
    <message>
        <source>Cannot write %1: %2.</source>
        <translation>Nie można zapisać %1: %2.</translation>
    </message>
    <message>
        <source>cannot replace %1 with %2: %3</source>
        <translation>nie można zastąpić %1 plikiem %2: %3</translation>
    </message>
    <message>
        <source>track %1 does not exist (the disk has %2 tracks)</source>
        <translation>ścieżka %1 nie istnieje (liczba ścieżek dysku: %2)</translation>
    </message>
    <message>
        <source>track %1 has no sector %2 (it has %3)</source>
        <translation>ścieżka %1 nie ma sektora %2 (liczba sektorów: %3)</translation>
    </message>
    <message>
        <source>track %1 sector %2 lies past the end of the truncated image</source>
        <translation>ścieżka %1 sektor %2 leży za końcem uciętego obrazu</translation>
    </message>
    <message>
        <source>&quot;%1&quot;: its chain of blocks loops back to track %2 sector %3</source>
        <translation>&quot;%1&quot;: łańcuch bloków wraca do ścieżki %2 sektora %3</translation>
    </message>
    <message>
        <source>&quot;%1&quot;: its first block is missing: %2</source>
        <translation>&quot;%1&quot;: brak pierwszego bloku: %2</translation>
    </message>
    <message numerus="yes">
        <source>&quot;%1&quot;: its chain of blocks breaks after %n block(s): %2</source>
        <translation>
            <numerusform>&quot;%1&quot;: łańcuch bloków urywa się po %n bloku: %2</numerusform>
            <numerusform>&quot;%1&quot;: łańcuch bloków urywa się po %n blokach: %2</numerusform>
            <numerusform>&quot;%1&quot;: łańcuch bloków urywa się po %n blokach: %2</numerusform>
        </translation>
    </message>
    <message>
        <source>track %1 sector %2 (error %3)</source>
        <translation>ścieżka %1 sektor %2 (błąd %3)</translation>
    </message>
    <message>
        <source>track %1 sector %2 (error code %3)</source>
        <translation>ścieżka %1 sektor %2 (kod błędu %3)</translation>
    </message>
    <message numerus="yes">
        <source>&quot;%1&quot;: the disk&apos;s error table marks %n of its block(s) bad (%2); read as the image holds them</source>
        <translation>
            <numerusform>&quot;%1&quot;: tablica błędów dysku oznacza %n z jego bloków jako uszkodzony (%2); odczytano go tak, jak zapisano w obrazie</numerusform>
            <numerusform>&quot;%1&quot;: tablica błędów dysku oznacza %n z jego bloków jako uszkodzone (%2); odczytano je tak, jak zapisano w obrazie</numerusform>
            <numerusform>&quot;%1&quot;: tablica błędów dysku oznacza %n z jego bloków jako uszkodzone (%2); odczytano je tak, jak zapisano w obrazie</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>vornix::TapLinkerWindow</name>
    <message>
        <source>TAP Linker</source>
        <translation>Łączenie plików TAP</translation>
    </message>
    <message>
        <source>Move up</source>
        <translation>Przesuń w górę</translation>
    </message>
    <message>
        <source>Remove</source>
        <translation>Usuń</translation>
    </message>
    <message>
        <source>Add TAP files</source>
        <translation>Dodaj pliki TAP</translation>
    </message>
    <message>
        <source>Insert a pause</source>
        <translation>Wstaw przerwę</translation>
    </message>
    <message>
        <source>Move down</source>
        <translation>Przesuń w dół</translation>
    </message>
    <message>
        <source>Join and save</source>
        <translation>Połącz i zapisz</translation>
    </message>
    <message>
        <source>Clear the list</source>
        <translation>Wyczyść listę</translation>
    </message>
    <message>
        <source>%1s</source>
        <translation>%1s</translation>
    </message>
    <message>
        <source>:%1s break</source>
        <translation>:%1s przerwa</translation>
    </message>
    <message>
        <source>Warning</source>
        <translation>Ostrzeżenie</translation>
    </message>
    <message>
        <source>NO %1 IN THE PROGRAM FOLDER OR ON THE PATH! Only version 1 TAP files can be joined. / BRAK PLIKU %2 W KATALOGU PROGRAMU ANI W PATH! Można łączyć tylko pliki TAP w wersji 1.</source>
        <translation>NO %1 IN THE PROGRAM FOLDER OR ON THE PATH! Only version 1 TAP files can be joined. / BRAK PLIKU %2 W KATALOGU PROGRAMU ANI W PATH! Można łączyć tylko pliki TAP w wersji 1.</translation>
    </message>
    <message>
        <source>C64 TAPe RAW</source>
        <translation>C64 TAPe RAW</translation>
    </message>
    <message>
        <source>All</source>
        <translation>Wszystkie</translation>
    </message>
    <message>
        <source>Confirm</source>
        <translation>Potwierdź</translation>
    </message>
    <message>
        <source>Clear list?</source>
        <translation>Wyczyścić listę?</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not one of the pauses on offer.</source>
        <translation>„%1” nie jest żadną z dostępnych przerw.</translation>
    </message>
    <message>
        <source>A pause of %1 seconds is not on offer.</source>
        <translation>Przerwa %1 s nie jest dostępna.</translation>
    </message>
    <message>
        <source>The file &quot;%1&quot; does not exist.</source>
        <translation>Plik „%1” nie istnieje.</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is a folder, not a TAP file.</source>
        <translation>„%1” jest katalogiem, nie plikiem TAP.</translation>
    </message>
    <message>
        <source>Cannot read &quot;%1&quot;: %2.</source>
        <translation>Nie można odczytać „%1”: %2.</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is too short for a TAP file (%2 bytes; the header alone takes 20).</source>
        <translation>„%1” jest za krótki na plik TAP (bajtów: %2; sam nagłówek zajmuje 20).</translation>
    </message>
    <message>
        <source>The output &quot;%1&quot; is also an input of the list; choose another name.</source>
        <translation>Plik wyjściowy „%1” jest też plikiem wejściowym z listy; wybierz inną nazwę.</translation>
    </message>
    <message>
        <source>The joined data would take %1 bytes; a TAP file holds at most %2.</source>
        <translation>Połączone dane zajęłyby %1 bajtów; plik TAP mieści najwyżej %2.</translation>
    </message>
    <message>
        <source>&quot;%1&quot; became shorter while it was being joined.</source>
        <translation>„%1” skrócił się w trakcie łączenia.</translation>
    </message>
    <message>
        <source>Cannot write the joined TAP, %1: %2.</source>
        <translation>Nie można zapisać połączonego pliku TAP, %1: %2.</translation>
    </message>
    <message>
        <source>Cannot convert &quot;%1&quot; to a version 1 TAP: tape64 is not in the program folder.</source>
        <translation>Nie można przekształcić „%1” w plik TAP w wersji 1: tape64 nie ma w katalogu programu.</translation>
    </message>
    <message>
        <source>Cannot start tape64 to convert &quot;%1&quot;: %2</source>
        <translation>Nie można uruchomić tape64, by przekształcić „%1”: %2</translation>
    </message>
    <message numerus="yes">
        <source>%n minute(s)</source>
        <translation>
            <numerusform>%n minuty</numerusform>
            <numerusform>%n minut</numerusform>
            <numerusform>%n minut</numerusform>
        </translation>
    </message>
    <message>
        <source>%1 seconds</source>
        <translation>%1 s</translation>
    </message>
    <message>
        <source>tape64 did not finish converting &quot;%1&quot; within %2; the join was stopped.</source>
        <translation>tape64 nie skończył przekształcać „%1” w ciągu %2; łączenie przerwano.</translation>
    </message>
    <message>
        <source>tape64 crashed while converting &quot;%1&quot;; the join was stopped.%2</source>
        <translation>tape64 uległ awarii, przekształcając „%1”; łączenie przerwano.%2</translation>
    </message>
    <message>
        <source>tape64 failed with exit code %1 while converting &quot;%2&quot;; the join was stopped.%3</source>
        <translation>tape64 zakończył się z kodem %1, przekształcając „%2”; łączenie przerwano.%3</translation>
    </message>
    <message>
        <source>tape64 wrote &quot;%1&quot; when converting &quot;%2&quot;, but it is not a version 1 TAP file; the join was stopped.%3</source>
        <translation>tape64 zapisał „%1”, przekształcając „%2”, ale to nie jest plik TAP w wersji 1; łączenie przerwano.%3</translation>
    </message>
    <message>
        <source>tape64 did not write &quot;%1&quot; when converting &quot;%2&quot;; the join was stopped.%3</source>
        <translation>tape64 nie zapisał „%1”, przekształcając „%2”; łączenie przerwano.%3</translation>
    </message>
    <message>
        <source>Not a version 1 TAP file:
%1

Converting it needs %2, which is not in the program folder nor on the PATH. Nothing was joined.</source>
        <translation>To nie jest plik TAP w wersji 1:
%1

Do przekształcenia potrzebny jest %2, którego nie ma w katalogu programu ani w PATH. Niczego nie połączono.</translation>
    </message>
    <message>
        <source>Save the joined TAP file as</source>
        <translation>Zapisz połączony plik TAP jako</translation>
    </message>
    <message>
        <source>Joined %1 and %2 into %3 (%4 bytes)</source>
        <translation>Połączono %1 i %2 w %3 (bajtów: %4)</translation>
    </message>
    <message numerus="yes">
        <source>%n file(s)</source>
        <translation>
            <numerusform>%n plik</numerusform>
            <numerusform>%n pliki</numerusform>
            <numerusform>%n plików</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n pause(s)</source>
        <translation>
            <numerusform>%n przerwę</numerusform>
            <numerusform>%n przerwy</numerusform>
            <numerusform>%n przerw</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>vornix::TapeConversionWindow</name>
    <message>
        <source>Tape64 Frontend</source>
        <translation>Nakładka Tape64</translation>
    </message>
    <message>
        <source>WAV/TAP v.0-&gt;TAP v.1</source>
        <translation>WAV/TAP v.0-&gt;TAP v.1</translation>
    </message>
    <message>
        <source>WAV/TAP-&gt;T64/P00</source>
        <translation>WAV/TAP-&gt;T64/P00</translation>
    </message>
    <message>
        <source>     Clear</source>
        <translation>  Wyczyść</translation>
    </message>
    <message>
        <source>  Copy</source>
        <translation> Kopiuj</translation>
    </message>
    <message>
        <source>           Start</source>
        <translation>           Start</translation>
    </message>
    <message>
        <source>   Close</source>
        <translation> Zamknij</translation>
    </message>
    <message>
        <source>Delay of $00 value (ms):</source>
        <translation>Czas wartości $00 w TAP v.0 (ms): </translation>
    </message>
    <message>
        <source>Input: </source>
        <translation>Wejście:</translation>
    </message>
    <message>
        <source>Output</source>
        <translation>Wyjście</translation>
    </message>
    <message>
        <source>None</source>
        <translation>Brak - analiza pliku</translation>
    </message>
    <message>
        <source>T64</source>
        <translation>T64</translation>
    </message>
    <message>
        <source>P00</source>
        <translation>P00</translation>
    </message>
    <message>
        <source>Reverse signal</source>
        <translation>Odwróć Sygnał</translation>
    </message>
    <message>
        <source>Speed:</source>
        <translation>  Prędkość:</translation>
    </message>
    <message>
        <source>Frequency: </source>
        <translation>Częstotliwość:</translation>
    </message>
    <message>
        <source>Trigger amplitude:</source>
        <translation>Różnica głośności: </translation>
    </message>
    <message>
        <source>Number P0x files.   Prefix: </source>
        <translation>Numeruj pliki P0x.  Prefiks:</translation>
    </message>
    <message>
        <source>Save bad files.</source>
        <translation>Zapisuj pliki uszkodzone</translation>
    </message>
    <message>
        <source>It looks like a v1 file. Continue?</source>
        <translation>To wygląda na plik wersji 1. Czy kontynuować?</translation>
    </message>
    <message>
        <source>PROGRAM WILL NOT WORK. Please download %1 to program directory or PATH.</source>
        <translation>Program nie będzie działał! Ściągnij plik %1 i umieść w katalogu programu lub w ścieżce PATH.</translation>
    </message>
    <message>
        <source>WAVe</source>
        <translation>WAVe</translation>
    </message>
    <message>
        <source>TAP</source>
        <translation>TAP</translation>
    </message>
    <message>
        <source>All files</source>
        <translation>Wszystkie pliki</translation>
    </message>
    <message>
        <source>TAP v.1</source>
        <translation>TAP v.1</translation>
    </message>
    <message>
        <source>All</source>
        <translation>Wszystkie</translation>
    </message>
    <message>
        <source>Warning</source>
        <translation>Warning</translation>
    </message>
    <message>
        <source>Tape64.exe OK</source>
        <translation>Tape64.exe OK</translation>
    </message>
    <message>
        <source>The speed must be one digit, a comma and one digit, for example 1,0.</source>
        <translation>Prędkość musi mieć postać: cyfra, przecinek, cyfra, na przykład 1,0.</translation>
    </message>
    <message>
        <source>Choose the WAV or TAP file</source>
        <translation>Wybierz plik WAV lub TAP</translation>
    </message>
    <message>
        <source>Confirm</source>
        <translation>Potwierdź</translation>
    </message>
    <message>
        <source>Save the TAP file as</source>
        <translation>Zapisz plik TAP jako</translation>
    </message>
    <message>
        <source>Error</source>
        <translation>Błąd</translation>
    </message>
    <message>
        <source>No input file!
Brak pliku wejściowego!</source>
        <translation>No input file!
Brak pliku wejściowego!</translation>
    </message>
    <message>
        <source>Save the T64 image as</source>
        <translation>Zapisz obraz T64 jako</translation>
    </message>
    <message>
        <source>Folder for the P00 files</source>
        <translation>Katalog dla plików P00</translation>
    </message>
    <message>
        <source>No command line - unbelievable error.</source>
        <translation>No command line - unbelievable error.</translation>
    </message>
    <message>
        <source>%1 START: %2 %1</source>
        <translation>%1 START: %2 %1</translation>
    </message>
    <message>
        <source>The run could not be started.</source>
        <translation>Nie można uruchomić programu.</translation>
    </message>
    <message>
        <source>%1 END: %2 %1</source>
        <translation>%1 END: %2 %1</translation>
    </message>
</context>
<context>
    <name>vornix::ToolWindow</name>
    <message>
        <source>Warning</source>
        <translation>Uwaga</translation>
    </message>
    <message>
        <source>%1 (or %1.exe)</source>
        <translation>%1 (lub %1.exe)</translation>
    </message>
</context>
</TS>
