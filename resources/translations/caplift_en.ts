<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_US" sourcelanguage="en">
<context>
    <name>Caplift</name>
    <message>
        <source>Titles</source>
        <translation>Titles</translation>
    </message>
    <message>
        <source>Captions</source>
        <translation>Captions</translation>
    </message>
    <message>
        <source>Titles and captions</source>
        <translation>Titles and captions</translation>
    </message>
    <message>
        <source>Roles (%1 of %2)</source>
        <translation>Roles (%1 of %2)</translation>
    </message>
    <message>
        <source>This document has no titles, but it has captions (%1): choose Captions above to show them.</source>
        <translation>This document has no titles, but it has captions (%1): choose Captions above to show them.</translation>
    </message>
    <message>
        <source>This document has no captions, but it has titles (%1): choose Titles above to show them.</source>
        <translation>This document has no captions, but it has titles (%1): choose Titles above to show them.</translation>
    </message>
    <message>
        <source>Timeline timing</source>
        <translation>Timeline timing</translation>
    </message>
    <message>
        <source>Keep styling</source>
        <translation>Keep styling</translation>
    </message>
    <message>
        <source>Placed on the timeline of “%1”</source>
        <translation>Placed on the timeline of “%1”</translation>
    </message>
    <message>
        <source>The document has no project with a timeline.</source>
        <translation>The document has no project with a timeline.</translation>
    </message>
    <message>
        <source>Ticked: each title where the project&apos;s timeline shows it, as a finished edit needs.
Unticked: each title timed from its own clip, as in the browser.</source>
        <translation>Ticked: each title where the project&apos;s timeline shows it, as a finished edit needs.
Unticked: each title timed from its own clip, as in the browser.</translation>
    </message>
    <message>
        <source>starts at %1</source>
        <translation>starts at %1</translation>
    </message>
    <message numerus="yes">
        <source>%n in compound clips</source>
        <translation>
            <numerusform>%n in compound clips</numerusform>
            <numerusform>%n in compound clips</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n disabled</source>
        <translation>
            <numerusform>%n disabled</numerusform>
            <numerusform>%n disabled</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n in auditions</source>
        <translation>
            <numerusform>%n in auditions</numerusform>
            <numerusform>%n in auditions</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n on nested lanes</source>
        <translation>
            <numerusform>%n on nested lanes</numerusform>
            <numerusform>%n on nested lanes</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n in other projects</source>
        <translation>
            <numerusform>%n in other projects</numerusform>
            <numerusform>%n in other projects</numerusform>
        </translation>
    </message>
    <message>
        <source>Timeline timing differs: %1</source>
        <translation>Timeline timing differs: %1</translation>
    </message>
    <message>
        <source>, </source>
        <translation>, </translation>
    </message>
    <message>
        <source>Placed on the timeline of</source>
        <translation>Placed on the timeline of</translation>
    </message>
    <message>
        <source>Tick Timeline timing to place them as the project&apos;s timeline shows them.</source>
        <translation>Tick Timeline timing to place them as the project&apos;s timeline shows them.</translation>
    </message>
    <message>
        <source>This is not a Final Cut Pro X export: its root element is &lt;%1&gt;. Export the project with File › Export XML… and open that file.</source>
        <translation>This is not a Final Cut Pro X export: its root element is &lt;%1&gt;. Export the project with File › Export XML… and open that file.</translation>
    </message>
    <message>
        <source>Converting “%1”…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Drop to convert</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>Failure</name>
    <message>
        <source>line %1, column %2: %3</source>
        <translation>line %1, column %2: %3</translation>
    </message>
    <message>
        <source>line %1, column %2: the document is not well-formed</source>
        <translation>line %1, column %2: the document is not well-formed</translation>
    </message>
    <message>
        <source>line %1, column %2: the document is nested too deeply (at most %3 levels)</source>
        <translation>line %1, column %2: the document is nested too deeply (at most %3 levels)</translation>
    </message>
    <message>
        <source>line %1, column %2: entities expand to more than ten times the document&apos;s size</source>
        <translation>line %1, column %2: entities expand to more than ten times the document&apos;s size</translation>
    </message>
    <message>
        <source>line %1, column %2: an attribute value refers to the external entity &apos;%3&apos;</source>
        <translation>line %1, column %2: an attribute value refers to the external entity &apos;%3&apos;</translation>
    </message>
    <message>
        <source>a NUL byte at byte offset %1, which XML does not allow</source>
        <translation>a NUL byte at byte offset %1, which XML does not allow</translation>
    </message>
    <message>
        <source>not valid UTF-8: invalid byte sequence at byte offset %1</source>
        <translation>not valid UTF-8: invalid byte sequence at byte offset %1</translation>
    </message>
    <message>
        <source>not valid UTF-8: the text ends inside a character that starts at byte offset %1</source>
        <translation>not valid UTF-8: the text ends inside a character that starts at byte offset %1</translation>
    </message>
    <message>
        <source>a folder without Info.fcpxml, so not an FCPXML bundle</source>
        <translation>a folder without Info.fcpxml, so not an FCPXML bundle</translation>
    </message>
    <message>
        <source>not a regular file</source>
        <translation>not a regular file</translation>
    </message>
    <message>
        <source>is the input file itself</source>
        <translation>is the input file itself</translation>
    </message>
    <message>
        <source>the output could not be written</source>
        <translation>the output could not be written</translation>
    </message>
    <message>
        <source>is closed</source>
        <translation>is closed</translation>
    </message>
    <message>
        <source>temporary file in %1: %2</source>
        <translation>temporary file in %1: %2</translation>
    </message>
    <message>
        <source>out of memory</source>
        <translation>out of memory</translation>
    </message>
    <message>
        <source>placing the titles would visit more than %1 elements: compound or multicam clips use each other too often</source>
        <translation>placing the titles would visit more than %1 elements: compound or multicam clips use each other too often</translation>
    </message>
    <message>
        <source>compound or multicam clips are nested more than %1 deep</source>
        <translation>compound or multicam clips are nested more than %1 deep</translation>
    </message>
    <message>
        <source>a time is too large to compute exactly</source>
        <translation>a time is too large to compute exactly</translation>
    </message>
    <message>
        <source>the document has no project with a timeline</source>
        <translation>the document has no project with a timeline</translation>
    </message>
    <message>
        <source>no project named &quot;%1&quot;; the document has %2</source>
        <translation>no project named &quot;%1&quot;; the document has %2</translation>
    </message>
</context>
<context>
    <name>Localizable</name>
    <message>
        <source>choose</source>
        <extracomment>file open button</extracomment>
        <translation>Choose FCPXML File…</translation>
    </message>
    <message>
        <source>file_read_fail</source>
        <extracomment>file read fail</extracomment>
        <translation>Could not read the file</translation>
    </message>
    <message>
        <source>file_parse_fail</source>
        <extracomment>file parse fail</extracomment>
        <translation>Could not read the document as FCPXML</translation>
    </message>
    <message>
        <source>save_file</source>
        <extracomment>file save</extracomment>
        <translation>Save Subtitles</translation>
    </message>
    <message>
        <source>save_finish</source>
        <extracomment>file saved</extracomment>
        <translation>Saved</translation>
    </message>
    <message>
        <source>save_failed</source>
        <extracomment>save failed</extracomment>
        <translation>Could not save the file</translation>
    </message>
    <message>
        <source>alert_notify</source>
        <extracomment>notification</extracomment>
        <translation>Caplift</translation>
    </message>
    <message>
        <source>ok</source>
        <extracomment>OK</extracomment>
        <translation>OK</translation>
    </message>
    <message>
        <source>preview</source>
        <extracomment>preview SRT</extracomment>
        <translation>SRT Preview</translation>
    </message>
    <message>
        <source>save_ok</source>
        <extracomment>Save OK</extracomment>
        <translation>Save</translation>
    </message>
    <message>
        <source>cancel</source>
        <extracomment>Cancel</extracomment>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>back</source>
        <extracomment>Back / Back Button</extracomment>
        <translation>Back</translation>
    </message>
    <message>
        <source>about</source>
        <extracomment>About / About window title</extracomment>
        <translation>About Caplift</translation>
    </message>
    <message>
        <source>no_titles</source>
        <extracomment>document holds no titles / preview placeholder</extracomment>
        <translation>This document holds no titles.</translation>
    </message>
</context>
<context>
    <name>Platform</name>
    <message>
        <source>XML document, FCPXML bundle</source>
        <translation type="unfinished"></translation>
    </message>
</context>
</TS>
