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
    <name>vornix::DiskCommands</name>
    <message>
        <source>&amp;Export to D64...</source>
        <translation>&amp;Eksport do D64</translation>
    </message>
    <message>
        <source>Add from &amp;D64...</source>
        <translation>Dodaj z D&amp;64</translation>
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
        <source>A T64 image holds at most 255 programs.
The file %1 was not added.</source>
        <translation>Obraz T64 mieści najwyżej 255 programów.
Plik %1 nie został dodany.</translation>
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
        <source>O kurcze...!</source>
        <translation>O kurcze...!</translation>
    </message>
    <message>
        <source>To nie jest poprawny plik T64.</source>
        <translation>To nie jest poprawny plik T64.</translation>
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
        <source>A T64 image holds at most 255 programs.
The file %1 was not added.</source>
        <translation>Obraz T64 mieści najwyżej 255 programów.
Plik %1 nie został dodany.</translation>
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
        <source>The file %1 no longer exists; it was taken off the recent images.</source>
        <translation>Plik %1 już nie istnieje; usunięto go z listy ostatnich obrazów.</translation>
    </message>
    <message>
        <source>Uwaga</source>
        <translation>Uwaga</translation>
    </message>
    <message>
        <source>Musisz zrestartować program / You need to restart program.</source>
        <translation>Musisz zrestartować program / You need to restart program.</translation>
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
        <source>&amp;Open</source>
        <translation>&amp;Otwórz</translation>
    </message>
    <message>
        <source>&amp;Save</source>
        <translation>Zapi&amp;sz</translation>
    </message>
    <message>
        <source>Save &amp;as...</source>
        <translation>&amp;Zapisz jako</translation>
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
        <translation>Wy&amp;pakuj</translation>
    </message>
    <message>
        <source>Extract &amp;selected...</source>
        <translation>Wypakuj &amp;zaznaczone</translation>
    </message>
    <message>
        <source>&amp;Add...</source>
        <translation>&amp;Dodaj</translation>
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
        <translation>O p&amp;rogramie</translation>
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
        <translation>&amp;Kompresja PRG...</translation>
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
        <source>Koa&amp;la-&gt;PRG</source>
        <translation>Koa&amp;la-&gt;PRG</translation>
    </message>
    <message>
        <source>&amp;FLI-&gt;PRG</source>
        <translation>&amp;FLI-&gt;PRG</translation>
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
</context>
<context>
    <name>vornix::ProgramChoiceDialog</name>
    <message>
        <source>OK</source>
        <translation>OK</translation>
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
        <source>A T64 image holds at most 255 programs.
The file %1 was not added.</source>
        <translation>Obraz T64 mieści najwyżej 255 programów.
Plik %1 nie został dodany.</translation>
    </message>
    <message>
        <source>Added %1 from the tape</source>
        <translation>Dodano %1 z taśmy</translation>
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
</TS>
