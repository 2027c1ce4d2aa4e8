<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="en">
<context>
    <name>vornix::MainWindow</name>
    <message numerus="yes">
        <source>%n program(s)</source>
        <translation>
            <numerusform>%n program</numerusform>
            <numerusform>%n programs</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>vornix::PreviewPane</name>
    <message numerus="yes">
        <source>the picture data ends at %1, %n byte(s) before the end of the bitmap; they are drawn as 0</source>
        <translation>
            <numerusform>the picture data ends at %1, %n byte before the end of the bitmap; it is drawn as 0</numerusform>
            <numerusform>the picture data ends at %1, %n bytes before the end of the bitmap; they are drawn as 0</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>the FLI viewer carries the data up to $7FFF; the last %n byte(s), which are not part of the picture, are left behind</source>
        <translation>
            <numerusform>the FLI viewer carries the data up to $7FFF; the last %n byte, which is not part of the picture, is left behind</numerusform>
            <numerusform>the FLI viewer carries the data up to $7FFF; the last %n bytes, which are not part of the picture, are left behind</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>(%n more byte(s) after the end of the program)</source>
        <translation>
            <numerusform>(%n more byte after the end of the program)</numerusform>
            <numerusform>(%n more bytes after the end of the program)</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>vornix::ResultTexts</name>
    <message numerus="yes">
        <source>&quot;%1&quot;: its chain of blocks breaks after %n block(s): %2</source>
        <translation>
            <numerusform>&quot;%1&quot;: its chain of blocks breaks after %n block: %2</numerusform>
            <numerusform>&quot;%1&quot;: its chain of blocks breaks after %n blocks: %2</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>&quot;%1&quot;: the disk&apos;s error table marks %n of its block(s) bad (%2); read as the image holds them</source>
        <translation>
            <numerusform>&quot;%1&quot;: the disk&apos;s error table marks %n of its blocks bad (%2); read as the image holds it</numerusform>
            <numerusform>&quot;%1&quot;: the disk&apos;s error table marks %n of its blocks bad (%2); read as the image holds them</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>A T64 image holds at most 255 programs.
%n file(s) were not added, from %1 to %2.</source>
        <translation>
            <numerusform>A T64 image holds at most 255 programs.
%n file was not added, from %1 to %2.</numerusform>
            <numerusform>A T64 image holds at most 255 programs.
%n files were not added, from %1 to %2.</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>vornix::TapLinkerWindow</name>
    <message numerus="yes">
        <source>%n minute(s)</source>
        <translation>
            <numerusform>%n minute</numerusform>
            <numerusform>%n minutes</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n file(s)</source>
        <translation>
            <numerusform>%n file</numerusform>
            <numerusform>%n files</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n pause(s)</source>
        <translation>
            <numerusform>%n pause</numerusform>
            <numerusform>%n pauses</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>vornix::TapeCommands</name>
    <message numerus="yes">
        <source>the first copy has %n unreadable byte(s)</source>
        <translation>
            <numerusform>the first copy has %n unreadable byte</numerusform>
            <numerusform>the first copy has %n unreadable bytes</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>the second copy has %n unreadable byte(s)</source>
        <translation>
            <numerusform>the second copy has %n unreadable byte</numerusform>
            <numerusform>the second copy has %n unreadable bytes</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n byte(s) lost in one copy taken from the other</source>
        <translation>
            <numerusform>%n byte lost in one copy taken from the other</numerusform>
            <numerusform>%n bytes lost in one copy taken from the other</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>the tape ends after %n byte(s) of %1</source>
        <translation>
            <numerusform>the tape ends after %n byte of %1</numerusform>
            <numerusform>the tape ends after %n bytes of %1</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n byte(s) unreadable in both copies</source>
        <translation>
            <numerusform>%n byte unreadable in both copies</numerusform>
            <numerusform>%n bytes unreadable in both copies</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n byte(s) unreadable</source>
        <translation>
            <numerusform>%n byte unreadable</numerusform>
            <numerusform>%n bytes unreadable</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>the header names %n byte(s); the data block ends sooner</source>
        <translation>
            <numerusform>the header names %n byte; the data block ends sooner</numerusform>
            <numerusform>the header names %n bytes; the data block ends sooner</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>and %n more</source>
        <translation>
            <numerusform>and %n more</numerusform>
            <numerusform>and %n more</numerusform>
        </translation>
    </message>
</context>
</TS>
