<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="ja_JP" sourcelanguage="en">
<context>
    <name>Caplift</name>
    <message>
        <source>Drop to convert</source>
        <translation>ドロップして変換</translation>
    </message>
    <message>
        <source>Converting “%1”…</source>
        <translation>“%1”を変換しています…</translation>
    </message>
    <message>
        <source>Titles</source>
        <translation>タイトル</translation>
    </message>
    <message>
        <source>Captions</source>
        <translation>キャプション</translation>
    </message>
    <message>
        <source>Titles and captions</source>
        <translation>タイトルとキャプション</translation>
    </message>
    <message>
        <source>Roles (%1 of %2)</source>
        <translation>ロール（%2 個中 %1 個）</translation>
    </message>
    <message>
        <source>This document has no titles, but it has captions (%1): choose Captions above to show them.</source>
        <translation>この書類にはタイトルはありませんが、キャプションが %1 件あります。上で「キャプション」を選ぶと表示されます。</translation>
    </message>
    <message>
        <source>This document has no captions, but it has titles (%1): choose Titles above to show them.</source>
        <translation>この書類にはキャプションはありませんが、タイトルが %1 件あります。上で「タイトル」を選ぶと表示されます。</translation>
    </message>
    <message>
        <source>Timeline timing</source>
        <translation>タイムラインのタイミング</translation>
    </message>
    <message>
        <source>Keep styling</source>
        <translation>スタイルを保持</translation>
    </message>
    <message>
        <source>Placed on the timeline of “%1”</source>
        <translation>“%1”のタイムライン上に配置</translation>
    </message>
    <message>
        <source>The document has no project with a timeline.</source>
        <translation>この書類にはタイムラインのあるプロジェクトがありません。</translation>
    </message>
    <message>
        <source>Ticked: each title where the project&apos;s timeline shows it, as a finished edit needs.
Unticked: each title timed from its own clip, as in the browser.</source>
        <translation>チェックあり：各タイトルを、プロジェクトのタイムラインに表示される位置に置きます。完成した編集に向いています。
チェックなし：各タイトルを、それ自身のクリップの時間で配置します（ブラウザと同じ）。</translation>
    </message>
    <message>
        <source>starts at %1</source>
        <translation>開始 %1</translation>
    </message>
    <message numerus="yes">
        <source>%n in compound clips</source>
        <translation>
            <numerusform>複合クリップ内 %n 件</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n disabled</source>
        <translation>
            <numerusform>無効 %n 件</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n in auditions</source>
        <translation>
            <numerusform>オーディション内 %n 件</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n on nested lanes</source>
        <translation>
            <numerusform>入れ子のレーン上 %n 件</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n in other projects</source>
        <translation>
            <numerusform>他のプロジェクト %n 件</numerusform>
        </translation>
    </message>
    <message>
        <source>Timeline timing differs: %1</source>
        <translation>タイムライン基準では異なります：%1</translation>
    </message>
    <message>
        <source>, </source>
        <translation>、</translation>
    </message>
    <message>
        <source>Placed on the timeline of</source>
        <translation>配置先のタイムライン：</translation>
    </message>
    <message>
        <source>Tick Timeline timing to place them as the project&apos;s timeline shows them.</source>
        <translation>「タイムラインのタイミング」にチェックを入れると、タイムラインどおりの位置に配置されます。</translation>
    </message>
    <message>
        <source>This is not a Final Cut Pro X export: its root element is &lt;%1&gt;. Export the project with File › Export XML… and open that file.</source>
        <translation>これは Final Cut Pro X の書き出しではありません（ルート要素は &lt;%1&gt;）。「ファイル › XML を書き出す…」で書き出したファイルを開いてください。</translation>
    </message>
</context>
<context>
    <name>Failure</name>
    <message>
        <source>line %1, column %2: %3</source>
        <translation>%1 行目、%2 列目: %3</translation>
    </message>
    <message>
        <source>line %1, column %2: the document is not well-formed</source>
        <translation>%1 行目、%2 列目: 書類が整形式の XML ではありません</translation>
    </message>
    <message>
        <source>line %1, column %2: the document is nested too deeply (at most %3 levels)</source>
        <translation>%1 行目、%2 列目: 書類の入れ子が深すぎます（最大 %3 階層）</translation>
    </message>
    <message>
        <source>line %1, column %2: entities expand to more than ten times the document&apos;s size</source>
        <translation>%1 行目、%2 列目: エンティティを展開すると書類のサイズの10倍を超えます</translation>
    </message>
    <message>
        <source>line %1, column %2: an attribute value refers to the external entity &apos;%3&apos;</source>
        <translation>%1 行目、%2 列目: 属性値が外部エンティティ“%3”を参照しています</translation>
    </message>
    <message>
        <source>a NUL byte at byte offset %1, which XML does not allow</source>
        <translation>バイトオフセット %1 に NUL バイトがあります（XML では使えません）</translation>
    </message>
    <message>
        <source>not valid UTF-8: invalid byte sequence at byte offset %1</source>
        <translation>有効な UTF-8 ではありません: バイトオフセット %1 に不正なバイト列があります</translation>
    </message>
    <message>
        <source>not valid UTF-8: the text ends inside a character that starts at byte offset %1</source>
        <translation>有効な UTF-8 ではありません: バイトオフセット %1 から始まる文字の途中でテキストが終わっています</translation>
    </message>
    <message>
        <source>a folder without Info.fcpxml, so not an FCPXML bundle</source>
        <translation>Info.fcpxml のないフォルダなので、FCPXML バンドルではありません</translation>
    </message>
    <message>
        <source>not a regular file</source>
        <translation>通常のファイルではありません</translation>
    </message>
    <message>
        <source>is the input file itself</source>
        <translation>入力ファイルそのものです</translation>
    </message>
    <message>
        <source>the output could not be written</source>
        <translation>出力を書き込めませんでした</translation>
    </message>
    <message>
        <source>is closed</source>
        <translation>閉じられています</translation>
    </message>
    <message>
        <source>temporary file in %1: %2</source>
        <translation>%1 内の一時ファイル: %2</translation>
    </message>
    <message>
        <source>out of memory</source>
        <translation>メモリが足りません</translation>
    </message>
    <message>
        <source>placing the titles would visit more than %1 elements: compound or multicam clips use each other too often</source>
        <translation>タイトルを配置するには %1 を超える要素をたどる必要があります: 複合クリップやマルチカムクリップが互いを使いすぎています</translation>
    </message>
    <message>
        <source>compound or multicam clips are nested more than %1 deep</source>
        <translation>複合クリップやマルチカムクリップの入れ子が %1 階層を超えています</translation>
    </message>
    <message>
        <source>a time is too large to compute exactly</source>
        <translation>時間の値が大きすぎて正確に計算できません</translation>
    </message>
    <message>
        <source>the document has no project with a timeline</source>
        <translation>この書類にはタイムラインのあるプロジェクトがありません</translation>
    </message>
    <message>
        <source>no project named &quot;%1&quot;; the document has %2</source>
        <translation>“%1”という名前のプロジェクトはありません。この書類にあるのは %2 です</translation>
    </message>
</context>
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
    <name>Platform</name>
    <message>
        <source>XML document, FCPXML bundle</source>
        <translation>XML書類、FCPXMLバンドル</translation>
    </message>
</context>
</TS>
