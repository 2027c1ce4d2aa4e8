<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="pl_PL" sourcelanguage="en">
<context>
    <name>vornix::AboutWindow</name>
    <message>
        <source>About Vornix</source>
        <translation>O programie Vornix</translation>
    </message>
    <message>
        <source>Vornix - T64 tape image editor for the Commodore 64 ... add, extract, rename and reorder programs ... pictures to PRG, compression, cartridges, tapes and TAP linking ...</source>
        <translation>Vornix - edytor obrazów taśm T64 dla Commodore 64 ... dodawanie, wypakowywanie, zmiana nazw i kolejności programów ... obrazki do PRG, kompresja, cartridge, taśmy i łączenie TAP ...</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
</context>
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
    <name>vornix::DiskCommands</name>
    <message>
        <source>&amp;Export to D64...</source>
        <translation>&amp;Eksport do D64...</translation>
    </message>
    <message>
        <source>Add from &amp;D64...</source>
        <translation>Dodaj z D&amp;64...</translation>
    </message>
    <message>
        <source>D64 files</source>
        <translation>Pliki D64</translation>
    </message>
    <message>
        <source>All files</source>
        <translation>Wszystkie pliki</translation>
    </message>
    <message>
        <source>The program %1 does not fit on the disk: its directory holds at most 144 files.
Nothing was written.</source>
        <translation>Program %1 nie mieści się na dysku: katalog dysku mieści najwyżej 144 pliki.
Nic nie zostało zapisane.</translation>
    </message>
    <message>
        <source>The program %1 does not fit on the disk: it needs %2 blocks, %3 are left.
Nothing was written.</source>
        <translation>Program %1 nie mieści się na dysku: potrzebuje %2 bloków, wolnych zostało %3.
Nic nie zostało zapisane.</translation>
    </message>
    <message>
        <source>Export to D64</source>
        <translation>Eksport do D64</translation>
    </message>
    <message>
        <source>Unable to save the file %1.
The file was left as it was.</source>
        <translation>Nie można zapisać pliku %1.
Plik nie został zmieniony.</translation>
    </message>
    <message>
        <source>Wrote %1 to the disk %2</source>
        <translation>Zapisano %1 na dysku %2</translation>
    </message>
    <message>
        <source>Add from D64</source>
        <translation>Dodaj z D64</translation>
    </message>
    <message>
        <source>The file %1 is not a valid D64 disk image.</source>
        <translation>Plik %1 nie jest poprawnym obrazem dysku D64.</translation>
    </message>
    <message>
        <source>The disk %1 holds no PRG programs.</source>
        <translation>Na dysku %1 nie ma programów PRG.</translation>
    </message>
    <message>
        <source>Added %1 from the disk %2</source>
        <translation>Dodano %1 z dysku %2</translation>
    </message>
    <message>
        <source>The file %1 is shorter than 2 bytes, so it is not a PRG program.
The program was not added.</source>
        <translation>Plik %1 ma mniej niż 2 bajty, więc nie jest programem PRG.
Program nie został dodany.</translation>
    </message>
</context>
<context>
    <name>vornix::DiskImportDialog</name>
    <message>
        <source>  (damaged)</source>
        <translation>  (uszkodzony)</translation>
    </message>
    <message>
        <source>  (not closed)</source>
        <translation>  (niezamknięty)</translation>
    </message>
    <message>
        <source>The file was never closed (*PRG): it may end early or hold rubbish. It is added only when chosen by itself.</source>
        <translation>Plik nie został zamknięty (*PRG): może być urwany lub zawierać śmieci. Zostanie dodany tylko wtedy, gdy wybierzesz go osobno.</translation>
    </message>
    <message>
        <source>Add from D64</source>
        <translation>Dodaj z D64</translation>
    </message>
    <message>
        <source>Programs on the disk &quot;%1&quot;:</source>
        <translation>Programy na dysku &quot;%1&quot;:</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Anuluj</translation>
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
    <name>vornix::MainWindow</name>
    <message>
        <source>Unable to create the working folder %1.</source>
        <translation>Nie można utworzyć folderu roboczego %1.</translation>
    </message>
    <message>
        <source>Do you want to save your modified file?</source>
        <translation>Dokonano zmian. Czy zapisać?</translation>
    </message>
    <message>
        <source>Untitled</source>
        <translation>Untitled</translation>
    </message>
    <message>
        <source>Open</source>
        <translation>Otwórz</translation>
    </message>
    <message>
        <source>The header of %1 said it held 0 programs: the programs were taken from its directory.
Check the programs before saving.</source>
        <translation>Nagłówek pliku %1 podawał 0 programów: programy zostały odczytane z katalogu.
Sprawdź programy przed zapisem.</translation>
    </message>
    <message>
        <source>The directory of %1 was damaged: the sizes of its programs have been repaired.
Check the programs before saving.</source>
        <translation>Katalog pliku %1 był uszkodzony: rozmiary programów zostały naprawione.
Sprawdź programy przed zapisem.</translation>
    </message>
    <message>
        <source>Save as</source>
        <translation>Zapisz jako</translation>
    </message>
    <message>
        <source>The file %1 has been changed on disk (by another program?) since it was opened or last saved.
Replace it and lose those changes?</source>
        <translation>Plik %1 został zmieniony na dysku (przez inny program?) od otwarcia lub ostatniego zapisu.
Zastąpić go i utracić tamte zmiany?</translation>
    </message>
    <message>
        <source>Unable to save the file %1:
%2.
The file was left as it was.</source>
        <translation>Nie można zapisać pliku %1:
%2.
Plik nie został zmieniony.</translation>
    </message>
    <message>
        <source>Add program</source>
        <translation>Dodaj program</translation>
    </message>
    <message>
        <source>The file %1 is shorter than 2 bytes, so it is not a PRG program.
The program was not added.</source>
        <translation>Plik %1 ma mniej niż 2 bajty, więc nie jest programem PRG.
Program nie został dodany.</translation>
    </message>
    <message>
        <source>Cannot read the file %1:
%2.
The program was not added.</source>
        <translation>Nie można odczytać pliku %1:
%2.
Program nie został dodany.</translation>
    </message>
    <message>
        <source>Extract to folder</source>
        <translation>Wypakuj do folderu</translation>
    </message>
    <message>
        <source>Extracted %1</source>
        <translation>Wypakowano %1</translation>
    </message>
    <message>
        <source>Extracted %1 to %2</source>
        <translation>Wypakowano %1 do folderu %2</translation>
    </message>
    <message>
        <source>Extraction stopped: %1 written to %2</source>
        <translation>Wypakowywanie przerwane: %1 w folderze %2</translation>
    </message>
    <message>
        <source>Unable to write the file %1:
%2.
Extraction stopped.</source>
        <translation>Nie można zapisać pliku %1:
%2.
Wypakowywanie przerwane.</translation>
    </message>
    <message numerus="yes">
        <source>%n program(s)</source>
        <translation>
            <numerusform>%n program</numerusform>
            <numerusform>%n programy</numerusform>
            <numerusform>%n programów</numerusform>
        </translation>
    </message>
    <message>
        <source>The file %1 no longer exists; it was taken off the recent images.</source>
        <translation>Plik %1 już nie istnieje; usunięto go z listy ostatnich obrazów.</translation>
    </message>
    <message>
        <source>Unable to write to %1.</source>
        <translation>Nie można zapisać pliku %1.</translation>
    </message>
    <message>
        <source>&amp;File</source>
        <translation>&amp;Plik</translation>
    </message>
    <message>
        <source>&amp;Edit</source>
        <translation>&amp;Edycja</translation>
    </message>
    <message>
        <source>&amp;View</source>
        <translation>&amp;Widok</translation>
    </message>
    <message>
        <source>&amp;Options</source>
        <translation>&amp;Dodatki</translation>
    </message>
    <message>
        <source>&amp;Recent images</source>
        <translation>Ostatnie o&amp;brazy</translation>
    </message>
    <message>
        <source> Items:</source>
        <translation>Obiektów:</translation>
    </message>
    <message>
        <source>   Label:</source>
        <translation>  Etykieta  </translation>
    </message>
    <message>
        <source>No.</source>
        <translation>Nr</translation>
    </message>
    <message>
        <source>Name</source>
        <translation>Nazwa</translation>
    </message>
    <message>
        <source>Size</source>
        <translation>Rozmiar</translation>
    </message>
    <message>
        <source>&amp;New</source>
        <translation>&amp;Nowy</translation>
    </message>
    <message>
        <source>&amp;Save</source>
        <translation>Zapi&amp;sz</translation>
    </message>
    <message>
        <source>Save &amp;as...</source>
        <translation>&amp;Zapisz jako...</translation>
    </message>
    <message>
        <source>E&amp;xit</source>
        <translation>&amp;Wyjscie</translation>
    </message>
    <message>
        <source>Und&amp;o</source>
        <translation>&amp;Cofnij</translation>
    </message>
    <message>
        <source>&amp;Redo</source>
        <translation>Pon&amp;ów</translation>
    </message>
    <message>
        <source>&amp;Preview</source>
        <translation>&amp;Podgląd</translation>
    </message>
    <message>
        <source>E&amp;xtract...</source>
        <translation>Wy&amp;pakuj...</translation>
    </message>
    <message>
        <source>Extract &amp;selected...</source>
        <translation>Wypakuj &amp;zaznaczone...</translation>
    </message>
    <message>
        <source>&amp;Add...</source>
        <translation>&amp;Dodaj...</translation>
    </message>
    <message>
        <source>D&amp;elete</source>
        <translation>&amp;Usuń</translation>
    </message>
    <message>
        <source>Re&amp;name</source>
        <translation>Zmień n&amp;azwę</translation>
    </message>
    <message>
        <source>Select a&amp;ll</source>
        <translation>Zaznacz wszystk&amp;o</translation>
    </message>
    <message>
        <source>Move to &amp;top</source>
        <translation>Przesuń na &amp;górę</translation>
    </message>
    <message>
        <source>Move &amp;up</source>
        <translation>Przesuń &amp;wyżej</translation>
    </message>
    <message>
        <source>Move do&amp;wn</source>
        <translation>Przesuń &amp;niżej</translation>
    </message>
    <message>
        <source>Move to &amp;bottom</source>
        <translation>Przesuń na dó&amp;l</translation>
    </message>
    <message>
        <source>A&amp;bout...</source>
        <translation>O p&amp;rogramie...</translation>
    </message>
    <message>
        <source>Mar&amp;k T64 programs as 0x01</source>
        <translation>&amp;Oznaczenie programu 0x01</translation>
    </message>
    <message>
        <source>Co&amp;mpress converted files</source>
        <translation>Kom&amp;presuj konwertowane</translation>
    </message>
    <message>
        <source>F&amp;aster compression/bigger file</source>
        <translation>&amp;Szybsza kompresja/większy plik</translation>
    </message>
    <message>
        <source>&amp;PRG Compression frontend</source>
        <translation>&amp;Kompresja PRG</translation>
    </message>
    <message>
        <source>&amp;Cartridge conversion frontend</source>
        <translation>Konwersja &amp;cartridge</translation>
    </message>
    <message>
        <source>&amp;WAV/TAP-&gt;T64/P00/TAP</source>
        <translation>&amp;WAV/TAP-&gt;T64/P00/TAP</translation>
    </message>
    <message>
        <source>&amp;TAP Linker</source>
        <translation>&amp;TAP Linker</translation>
    </message>
    <message>
        <source>Marks a program with 0x01, not 0x82 as StarCommander does,</source>
        <translation>Oznacza program przez 0x01, nie 0x82 jak robi to StarCommander,</translation>
    </message>
    <message>
        <source>New</source>
        <translation>Nowy</translation>
    </message>
    <message>
        <source>Extract...</source>
        <translation>Wypakuj zaznaczone</translation>
    </message>
    <message>
        <source>Move to top</source>
        <translation>Przesuń na górę</translation>
    </message>
    <message>
        <source>Move up</source>
        <translation>O jeden w górę</translation>
    </message>
    <message>
        <source>Move down</source>
        <translation>O jeden w dól</translation>
    </message>
    <message>
        <source>Move to bottom</source>
        <translation>Przesuń na sam dól</translation>
    </message>
    <message>
        <source>Remove program</source>
        <translation>Kasuj program</translation>
    </message>
    <message>
        <source>Save as...</source>
        <translation>Zapisz jako</translation>
    </message>
    <message>
        <source>Add program...</source>
        <translation>Dodaj program</translation>
    </message>
    <message>
        <source>English</source>
        <translation>English</translation>
    </message>
    <message>
        <source>Polski/Polish</source>
        <translation>Polish/Polski</translation>
    </message>
    <message>
        <source>T64 files</source>
        <translation>T64 files</translation>
    </message>
    <message>
        <source>All files</source>
        <translation>All files</translation>
    </message>
    <message>
        <source>PRG Files</source>
        <translation>PRG Files</translation>
    </message>
    <message>
        <source>Question</source>
        <translation>Zmieniono plik</translation>
    </message>
    <message>
        <source>&amp;Open...</source>
        <translation>&amp;Otwórz...</translation>
    </message>
    <message>
        <source>Koa&amp;la-&gt;PRG...</source>
        <translation>Koa&amp;la-&gt;PRG...</translation>
    </message>
    <message>
        <source>&amp;FLI-&gt;PRG...</source>
        <translation>&amp;FLI-&gt;PRG...</translation>
    </message>
</context>
<context>
    <name>vornix::PictureCommands</name>
    <message>
        <source>Save the program as</source>
        <translation>Zapisz program jako</translation>
    </message>
    <message>
        <source>The picture was not converted.</source>
        <translation>Obraz nie został przekonwertowany.</translation>
    </message>
    <message>
        <source>Wrote %1</source>
        <translation>Zapisano %1</translation>
    </message>
    <message>
        <source>Wrote %1 (compressed)</source>
        <translation>Zapisano %1 (skompresowany)</translation>
    </message>
    <message>
        <source>Wrote %1 (not compressed)</source>
        <translation>Zapisano %1 (bez kompresji)</translation>
    </message>
    <message>
        <source>%1 loads at $%2, not at $3B00 or $3C00 like an FLI picture.

It was converted as if it loaded at $3B00 and may not show correctly.</source>
        <translation>%1 ma adres ładowania $%2, a nie $3B00 ani $3C00 jak obraz FLI.

Przekonwertowano go tak, jakby ładował się pod $3B00; obraz może wyglądać niepoprawnie.</translation>
    </message>
    <message>
        <source>Choose the Koala picture</source>
        <translation>Wybierz obraz Koala</translation>
    </message>
    <message>
        <source>Choose the FLI picture</source>
        <translation>Wybierz obraz FLI</translation>
    </message>
    <message>
        <source>Compression was stopped.</source>
        <translation>Kompresja została przerwana.</translation>
    </message>
    <message>
        <source>The compressor printed nothing within the time limit and was stopped.</source>
        <translation>Kompresor nic nie wypisał w wyznaczonym czasie i został zatrzymany.</translation>
    </message>
    <message>
        <source>%1 holds the uncompressed program.</source>
        <translation>%1 zawiera program bez kompresji.</translation>
    </message>
    <message>
        <source>The compressed program could not take the place of the converted one (%1).

%2 still holds the uncompressed program; the compressed one is in %3.</source>
        <translation>Skompresowany program nie mógł zastąpić przekonwertowanego (%1).

%2 zawiera program bez kompresji; skompresowany jest w %3.</translation>
    </message>
    <message>
        <source>Koala Paint *.KLA</source>
        <translation>Koala Paint *.KLA</translation>
    </message>
    <message>
        <source>All files </source>
        <translation>All files </translation>
    </message>
    <message>
        <source>Programs *.PRG</source>
        <translation>Programs *.PRG</translation>
    </message>
    <message>
        <source>All files</source>
        <translation>All files</translation>
    </message>
    <message>
        <source>%1 loads at $%2, not at $6000 like a Koala picture.

It was converted as if it loaded at $6000 and may not show correctly.</source>
        <translation>%1 ma adres ładowania $%2, a nie $6000 jak obraz Koala.

Przekonwertowano go tak, jakby ładował się pod $6000; obraz może wyglądać niepoprawnie.</translation>
    </message>
</context>
<context>
    <name>vornix::PreviewPane</name>
    <message>
        <source>No entry selected</source>
        <translation>Nie zaznaczono programu</translation>
    </message>
    <message>
        <source>BASIC listing</source>
        <translation>Listing BASIC</translation>
    </message>
    <message>
        <source>FLI picture</source>
        <translation>Obrazek FLI</translation>
    </message>
    <message>
        <source>Koala Paint picture</source>
        <translation>Obrazek Koala Paint</translation>
    </message>
    <message>
        <source>Bytes (hex)</source>
        <translation>Bajty (hex)</translation>
    </message>
    <message>
        <source>the program ends at %1 without its end marker</source>
        <translation>program kończy się pod adresem %1 bez znacznika końca</translation>
    </message>
    <message>
        <source>there is no BASIC line: the first link, %1, ends the program</source>
        <translation>brak linii BASIC: pierwsze łącze, %1, kończy program</translation>
    </message>
    <message>
        <source>the line at %1 is cut off by the end of the program</source>
        <translation>linia pod adresem %1 jest ucięta przez koniec programu</translation>
    </message>
    <message>
        <source>line %1 runs past the end of the program</source>
        <translation>linia %1 wykracza poza koniec programu</translation>
    </message>
    <message>
        <source>the link of line %1 points back to %2; the listing stops here</source>
        <translation>łącze linii %1 wskazuje wstecz na %2; listing kończy się tutaj</translation>
    </message>
    <message>
        <source>the link of line %1 points to %2, past the end of the program; the listing stops here</source>
        <translation>łącze linii %1 wskazuje na %2, poza koniec programu; listing kończy się tutaj</translation>
    </message>
    <message numerus="yes">
        <source>the picture data ends at %1, %n byte(s) before the end of the bitmap; they are drawn as 0</source>
        <translation>
            <numerusform>dane obrazu kończą się pod adresem %1, %n bajt przed końcem mapy bitowej; jest rysowany jako 0</numerusform>
            <numerusform>dane obrazu kończą się pod adresem %1, %n bajty przed końcem mapy bitowej; są rysowane jako 0</numerusform>
            <numerusform>dane obrazu kończą się pod adresem %1, %n bajtów przed końcem mapy bitowej; są rysowane jako 0</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>the FLI viewer carries the data up to $7FFF; the last %n byte(s), which are not part of the picture, are left behind</source>
        <translation>
            <numerusform>przeglądarka FLI przenosi dane do $7FFF; ostatni %n bajt, który nie należy do obrazu, zostaje pominięty</numerusform>
            <numerusform>przeglądarka FLI przenosi dane do $7FFF; ostatnie %n bajty, które nie należą do obrazu, zostają pominięte</numerusform>
            <numerusform>przeglądarka FLI przenosi dane do $7FFF; ostatnich %n bajtów, które nie należą do obrazu, zostaje pominiętych</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>(%n more byte(s) after the end of the program)</source>
        <translation>
            <numerusform>(jeszcze %n bajt za końcem programu)</numerusform>
            <numerusform>(jeszcze %n bajty za końcem programu)</numerusform>
            <numerusform>(jeszcze %n bajtów za końcem programu)</numerusform>
        </translation>
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
    <name>vornix::ProgramChoiceDialog</name>
    <message>
        <source>OK</source>
        <translation>OK</translation>
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
    <message>
        <source>it is a folder, not a file</source>
        <translation>to jest folder, a nie plik</translation>
    </message>
    <message>
        <source>it is not a regular file (a pipe, device or socket)</source>
        <translation>to nie jest zwykły plik (potok, urządzenie lub gniazdo)</translation>
    </message>
    <message>
        <source>the file is read-only</source>
        <translation>plik jest tylko do odczytu</translation>
    </message>
    <message>
        <source>its folder does not exist</source>
        <translation>folder nie istnieje</translation>
    </message>
    <message>
        <source>the file is too large</source>
        <translation>plik jest za duży</translation>
    </message>
    <message>
        <source>the file changed while it was read</source>
        <translation>plik zmienił się podczas odczytu</translation>
    </message>
    <message>
        <source>unknown error</source>
        <translation>nieznany błąd</translation>
    </message>
    <message>
        <source>%1 is the picture itself; the program needs a name of its own.</source>
        <translation>%1 to sam obraz; program potrzebuje własnej nazwy.</translation>
    </message>
    <message>
        <source>%1 holds %2 bytes, too few for a Koala picture (%3 bytes).</source>
        <translation>%1 ma %2 bajtów, za mało na obraz Koala (%3 bajtów).</translation>
    </message>
    <message>
        <source>%1 holds %2 bytes, too few for an FLI picture: its data reaches the bitmap at $6000 from %3 bytes on.</source>
        <translation>%1 ma %2 bajtów, za mało na obraz FLI: jego dane sięgają bitmapy pod $6000 dopiero od %3 bajtów.</translation>
    </message>
    <message>
        <source>A T64 image holds at most 255 programs.
The file %1 was not added.</source>
        <translation>Obraz T64 mieści najwyżej 255 programów.
Plik %1 nie został dodany.</translation>
    </message>
    <message numerus="yes">
        <source>A T64 image holds at most 255 programs.
%n file(s) were not added, from %1 to %2.</source>
        <translation>
            <numerusform>Obraz T64 mieści najwyżej 255 programów.
%n plik nie został dodany, od %1 do %2.</numerusform>
            <numerusform>Obraz T64 mieści najwyżej 255 programów.
%n pliki nie zostały dodane, od %1 do %2.</numerusform>
            <numerusform>Obraz T64 mieści najwyżej 255 programów.
%n plików nie zostało dodanych, od %1 do %2.</numerusform>
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
    <name>vornix::TapeCommands</name>
    <message>
        <source>Export to &amp;TAP...</source>
        <translation>Eksport do &amp;TAP...</translation>
    </message>
    <message>
        <source>&amp;Import tape (TAP/WAV)...</source>
        <translation>Import z &amp;taśmy (TAP/WAV)...</translation>
    </message>
    <message>
        <source>Tapes (TAP, WAV)</source>
        <translation>Taśmy (TAP, WAV)</translation>
    </message>
    <message>
        <source>All files</source>
        <translation>Wszystkie pliki</translation>
    </message>
    <message>
        <source>C64 TAPe RAW (*.TAP)</source>
        <translation>C64 TAPe RAW (*.TAP)</translation>
    </message>
    <message>
        <source>No programs were found on the tape %1.</source>
        <translation>Na taśmie %1 nie znaleziono programów.</translation>
    </message>
    <message>
        <source>Cannot read the file %1:
%2.</source>
        <translation>Nie można odczytać pliku %1:
%2.</translation>
    </message>
    <message>
        <source>The file %1 is not a TAP tape nor a WAV recording this program reads.
%2</source>
        <translation>Plik %1 nie jest taśmą TAP ani nagraniem WAV, które program umie odczytać.
%2</translation>
    </message>
    <message>
        <source>Import tape</source>
        <translation>Import z taśmy</translation>
    </message>
    <message>
        <source>The damaged programs of the tape %1 were not added:
%2
Edit, Import tape shows them.</source>
        <translation>Uszkodzone programy z taśmy %1 nie zostały dodane:
%2
Można je wybrać z menu Edycja, Import z taśmy.</translation>
    </message>
    <message>
        <source>The program %1 would load past the top of memory ($FFFF): a tape cannot hold it.
Nothing was written.</source>
        <translation>Program %1 sięga poza koniec pamięci ($FFFF): taśma go nie pomieści.
Nic nie zostało zapisane.</translation>
    </message>
    <message>
        <source>Export to TAP</source>
        <translation>Eksport do TAP</translation>
    </message>
    <message>
        <source>Unable to save the file %1:
%2.
The file was left as it was.</source>
        <translation>Nie można zapisać pliku %1:
%2.
Plik nie został zmieniony.</translation>
    </message>
    <message>
        <source>Wrote %1 to the tape %2</source>
        <translation>Zapisano %1 na taśmie %2</translation>
    </message>
    <message>
        <source>good</source>
        <translation>dobry</translation>
    </message>
    <message>
        <source>repaired</source>
        <translation>naprawiony</translation>
    </message>
    <message>
        <source>checksum wrong</source>
        <translation>błędna suma kontrolna</translation>
    </message>
    <message>
        <source>cut off</source>
        <translation>urwany</translation>
    </message>
    <message>
        <source>the first copy is cut off</source>
        <translation>pierwsza kopia jest urwana</translation>
    </message>
    <message>
        <source>the second copy is cut off</source>
        <translation>druga kopia jest urwana</translation>
    </message>
    <message>
        <source>the first copy&apos;s checksum is wrong</source>
        <translation>suma kontrolna pierwszej kopii jest błędna</translation>
    </message>
    <message>
        <source>the second copy&apos;s checksum is wrong</source>
        <translation>suma kontrolna drugiej kopii jest błędna</translation>
    </message>
    <message numerus="yes">
        <source>the first copy has %n unreadable byte(s)</source>
        <translation>
            <numerusform>pierwsza kopia ma %n nieczytelny bajt</numerusform>
            <numerusform>pierwsza kopia ma %n nieczytelne bajty</numerusform>
            <numerusform>pierwsza kopia ma %n nieczytelnych bajtów</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>the second copy has %n unreadable byte(s)</source>
        <translation>
            <numerusform>druga kopia ma %n nieczytelny bajt</numerusform>
            <numerusform>druga kopia ma %n nieczytelne bajty</numerusform>
            <numerusform>druga kopia ma %n nieczytelnych bajtów</numerusform>
        </translation>
    </message>
    <message>
        <source>%1; read from the second</source>
        <translation>%1; odczytano z drugiej</translation>
    </message>
    <message>
        <source>the first copy is missing; read from the second</source>
        <translation>brak pierwszej kopii; odczytano z drugiej</translation>
    </message>
    <message numerus="yes">
        <source>%n byte(s) lost in one copy taken from the other</source>
        <translation>
            <numerusform>%n bajt utracony w jednej kopii wzięty z drugiej</numerusform>
            <numerusform>%n bajty utracone w jednej kopii wzięte z drugiej</numerusform>
            <numerusform>%n bajtów utraconych w jednej kopii wzięto z drugiej</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>the tape ends after %n byte(s) of %1</source>
        <translation>
            <numerusform>taśma kończy się po %n bajcie z %1</numerusform>
            <numerusform>taśma kończy się po %n bajtach z %1</numerusform>
            <numerusform>taśma kończy się po %n bajtach z %1</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n byte(s) unreadable in both copies</source>
        <translation>
            <numerusform>%n bajt nieczytelny w obu kopiach</numerusform>
            <numerusform>%n bajty nieczytelne w obu kopiach</numerusform>
            <numerusform>%n bajtów nieczytelnych w obu kopiach</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n byte(s) unreadable</source>
        <translation>
            <numerusform>%n bajt nieczytelny</numerusform>
            <numerusform>%n bajty nieczytelne</numerusform>
            <numerusform>%n bajtów nieczytelnych</numerusform>
        </translation>
    </message>
    <message>
        <source>the checksum is wrong in both copies</source>
        <translation>suma kontrolna jest błędna w obu kopiach</translation>
    </message>
    <message>
        <source>the checksum is wrong</source>
        <translation>suma kontrolna jest błędna</translation>
    </message>
    <message>
        <source>no data block follows the header</source>
        <translation>po nagłówku nie ma bloku danych</translation>
    </message>
    <message>
        <source>no header before the data</source>
        <translation>brak nagłówka przed danymi</translation>
    </message>
    <message>
        <source>the header is unreadable</source>
        <translation>nagłówek jest nieczytelny</translation>
    </message>
    <message>
        <source>the header&apos;s checksum is wrong</source>
        <translation>suma kontrolna nagłówka jest błędna</translation>
    </message>
    <message>
        <source>no checksum</source>
        <translation>bez sumy kontrolnej</translation>
    </message>
    <message numerus="yes">
        <source>the header names %n byte(s); the data block ends sooner</source>
        <translation>
            <numerusform>nagłówek podaje %n bajt; blok danych kończy się wcześniej</numerusform>
            <numerusform>nagłówek podaje %n bajty; blok danych kończy się wcześniej</numerusform>
            <numerusform>nagłówek podaje %n bajtów; blok danych kończy się wcześniej</numerusform>
        </translation>
    </message>
    <message>
        <source>Added %1 from the tape %2</source>
        <translation>Dodano %1 z taśmy %2</translation>
    </message>
    <message numerus="yes">
        <source>and %n more</source>
        <translation>
            <numerusform>i %n inny</numerusform>
            <numerusform>i %n inne</numerusform>
            <numerusform>i %n innych</numerusform>
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
    <name>vornix::TapeImportDialog</name>
    <message>
        <source> bytes</source>
        <translation> bajtów</translation>
    </message>
    <message>
        <source>Import tape</source>
        <translation>Import z taśmy</translation>
    </message>
    <message>
        <source>Programs on the tape &quot;%1&quot;:</source>
        <translation>Programy na taśmie &quot;%1&quot;:</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Anuluj</translation>
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
