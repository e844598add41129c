<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="ja_JP" sourcelanguage="en">
<context>
    <name>Localizable</name>
    <message>
        <source>choose</source>
        <extracomment>file open button</extracomment>
        <translation>FCPXMLファイルを選択…</translation>
    </message>
    <message>
        <source>file_read_fail</source>
        <extracomment>file read fail</extracomment>
        <translation>ファイルを読み込めませんでした</translation>
    </message>
    <message>
        <source>file_parse_fail</source>
        <extracomment>file parse fail</extracomment>
        <translation>書類をFCPXMLとして読み込めませんでした</translation>
    </message>
    <message>
        <source>save_file</source>
        <extracomment>file save</extracomment>
        <translation>字幕を保存</translation>
    </message>
    <message>
        <source>save_finish</source>
        <extracomment>file saved</extracomment>
        <translation>保存しました</translation>
    </message>
    <message>
        <source>save_failed</source>
        <extracomment>save failed</extracomment>
        <translation>ファイルを保存できませんでした</translation>
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
        <translation>SRTプレビュー</translation>
    </message>
    <message>
        <source>save_ok</source>
        <extracomment>Save OK</extracomment>
        <translation>保存</translation>
    </message>
    <message>
        <source>cancel</source>
        <extracomment>Cancel</extracomment>
        <translation>キャンセル</translation>
    </message>
    <message>
        <source>back</source>
        <extracomment>Back / Back Button</extracomment>
        <translation>戻る</translation>
    </message>
    <message>
        <source>about</source>
        <extracomment>About / About window title</extracomment>
        <translation>Capliftについて</translation>
    </message>
    <message>
        <source>no_titles</source>
        <extracomment>document holds no titles / preview placeholder</extracomment>
        <translation>この書類にはタイトルがありません。</translation>
    </message>
</context>
<context>
    <name>Caplift</name>
    <message>
        <source>The file “%1” does not exist.</source>
        <translation>ファイル“%1”は存在しません。</translation>
    </message>
    <message>
        <source>“%1” is a folder, not a file.</source>
        <translation>“%1”はフォルダで、ファイルではありません。</translation>
    </message>
    <message>
        <source>“%1” is not a regular file.</source>
        <translation>“%1”は通常のファイルではありません。</translation>
    </message>
    <message>
        <source>The file “%1” could not be opened: %2</source>
        <translation>ファイル“%1”を開けませんでした: %2</translation>
    </message>
    <message>
        <source>The file “%1” could not be read: %2</source>
        <translation>ファイル“%1”を読み込めませんでした: %2</translation>
    </message>
    <message>
        <source>The file “%1” is not valid UTF-8 text (invalid byte at offset %2).</source>
        <translation>ファイル“%1”は有効なUTF-8テキストではありません（オフセット %2 に不正なバイトがあります）。</translation>
    </message>
    <message>
        <source>The file “%1” could not be saved: %2</source>
        <translation>ファイル“%1”を保存できませんでした: %2</translation>
    </message>
    <message>
        <source>Drop to convert</source>
        <translation>ドロップして変換</translation>
    </message>
</context>
<context>
    <name>Platform</name>
    <message>
        <source>XML document, FCPXML bundle</source>
        <translation>XML書類、FCPXMLバンドル</translation>
    </message>
    <message>
        <source>SubRip subtitles</source>
        <translation>SubRip字幕</translation>
    </message>
</context>
</TS>
