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
