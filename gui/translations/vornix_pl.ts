<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="pl_PL" sourcelanguage="en">
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
</TS>
