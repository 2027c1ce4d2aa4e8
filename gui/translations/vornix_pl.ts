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
</TS>
