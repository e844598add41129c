<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="zh_CN" sourcelanguage="en">
<context>
    <name>Caplift</name>
    <message>
        <source>Drop to convert</source>
        <translation>拖放到此处进行转换</translation>
    </message>
    <message>
        <source>Converting “%1”…</source>
        <translation>正在转换“%1”…</translation>
    </message>
    <message>
        <source>Titles</source>
        <translation>标题</translation>
    </message>
    <message>
        <source>Captions</source>
        <translation>字幕</translation>
    </message>
    <message>
        <source>Titles and captions</source>
        <translation>标题和字幕</translation>
    </message>
    <message>
        <source>Roles (%1 of %2)</source>
        <translation>角色（%1/%2）</translation>
    </message>
    <message>
        <source>This document has no titles, but it has captions (%1): choose Captions above to show them.</source>
        <translation>此文稿没有标题，但有 %1 条字幕：在上方选择“字幕”即可显示。</translation>
    </message>
    <message>
        <source>This document has no captions, but it has titles (%1): choose Titles above to show them.</source>
        <translation>此文稿没有字幕，但有 %1 个标题：在上方选择“标题”即可显示。</translation>
    </message>
    <message>
        <source>Timeline timing</source>
        <translation>按时间线计时</translation>
    </message>
    <message>
        <source>Keep styling</source>
        <translation>保留样式</translation>
    </message>
    <message>
        <source>Placed on the timeline of “%1”</source>
        <translation>已按“%1”的时间线放置</translation>
    </message>
    <message>
        <source>The document has no project with a timeline.</source>
        <translation>该文档中没有带时间线的项目。</translation>
    </message>
    <message>
        <source>Ticked: each title where the project&apos;s timeline shows it, as a finished edit needs.
Unticked: each title timed from its own clip, as in the browser.</source>
        <translation>勾选：每个标题放在项目时间线上显示的位置，适合已完成的剪辑。
不勾选：每个标题按其自身片段计时，与浏览器中相同。</translation>
    </message>
    <message>
        <source>starts at %1</source>
        <translation>起始于 %1</translation>
    </message>
    <message numerus="yes">
        <source>%n in compound clips</source>
        <translation>
            <numerusform>复合片段中 %n 个</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n disabled</source>
        <translation>
            <numerusform>已停用 %n 个</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n in auditions</source>
        <translation>
            <numerusform>试演中 %n 个</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n on nested lanes</source>
        <translation>
            <numerusform>嵌套通道上 %n 个</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n in other projects</source>
        <translation>
            <numerusform>其他项目中 %n 个</numerusform>
        </translation>
    </message>
    <message>
        <source>Timeline timing differs: %1</source>
        <translation>按时间线计时会不同：%1</translation>
    </message>
    <message>
        <source>, </source>
        <translation>，</translation>
    </message>
    <message>
        <source>Placed on the timeline of</source>
        <translation>放置所按的时间线：</translation>
    </message>
    <message>
        <source>Tick Timeline timing to place them as the project&apos;s timeline shows them.</source>
        <translation>勾选“按时间线计时”，即可按项目时间线上显示的位置放置。</translation>
    </message>
    <message>
        <source>This is not a Final Cut Pro X export: its root element is &lt;%1&gt;. Export the project with File › Export XML… and open that file.</source>
        <translation>这不是 Final Cut Pro X 的导出文件（其根元素为 &lt;%1&gt;）。请用“文件 › 导出 XML…”导出，再打开该文件。</translation>
    </message>
</context>
<context>
    <name>Failure</name>
    <message>
        <source>line %1, column %2: %3</source>
        <translation>第 %1 行，第 %2 列：%3</translation>
    </message>
    <message>
        <source>line %1, column %2: the document is not well-formed</source>
        <translation>第 %1 行，第 %2 列：文档不是格式良好的 XML</translation>
    </message>
    <message>
        <source>line %1, column %2: the document is nested too deeply (at most %3 levels)</source>
        <translation>第 %1 行，第 %2 列：文档嵌套过深（最多 %3 层）</translation>
    </message>
    <message>
        <source>line %1, column %2: entities expand to more than ten times the document&apos;s size</source>
        <translation>第 %1 行，第 %2 列：实体展开后超过文档大小的十倍</translation>
    </message>
    <message>
        <source>line %1, column %2: an attribute value refers to the external entity &apos;%3&apos;</source>
        <translation>第 %1 行，第 %2 列：属性值引用了外部实体“%3”</translation>
    </message>
    <message>
        <source>a NUL byte at byte offset %1, which XML does not allow</source>
        <translation>字节偏移 %1 处有 NUL 字节，XML 不允许出现该字节</translation>
    </message>
    <message>
        <source>not valid UTF-8: invalid byte sequence at byte offset %1</source>
        <translation>不是有效的 UTF-8：字节偏移 %1 处有无效的字节序列</translation>
    </message>
    <message>
        <source>not valid UTF-8: the text ends inside a character that starts at byte offset %1</source>
        <translation>不是有效的 UTF-8：文本在从字节偏移 %1 开始的字符中间结束</translation>
    </message>
    <message>
        <source>a folder without Info.fcpxml, so not an FCPXML bundle</source>
        <translation>该文件夹中没有 Info.fcpxml，因此不是 FCPXML 包</translation>
    </message>
    <message>
        <source>not a regular file</source>
        <translation>不是普通文件</translation>
    </message>
    <message>
        <source>is the input file itself</source>
        <translation>就是输入文件本身</translation>
    </message>
    <message>
        <source>the output could not be written</source>
        <translation>无法写入输出</translation>
    </message>
    <message>
        <source>is closed</source>
        <translation>已关闭</translation>
    </message>
    <message>
        <source>temporary file in %1: %2</source>
        <translation>%1 中的临时文件：%2</translation>
    </message>
    <message>
        <source>out of memory</source>
        <translation>内存不足</translation>
    </message>
    <message>
        <source>placing the titles would visit more than %1 elements: compound or multicam clips use each other too often</source>
        <translation>放置标题需要访问超过 %1 个元素：复合片段或多机位片段相互引用过多</translation>
    </message>
    <message>
        <source>compound or multicam clips are nested more than %1 deep</source>
        <translation>复合片段或多机位片段的嵌套超过 %1 层</translation>
    </message>
    <message>
        <source>a time is too large to compute exactly</source>
        <translation>时间值过大，无法精确计算</translation>
    </message>
    <message>
        <source>the document has no project with a timeline</source>
        <translation>该文档中没有带时间线的项目</translation>
    </message>
    <message>
        <source>no project named &quot;%1&quot;; the document has %2</source>
        <translation>没有名为“%1”的项目；该文档中有 %2</translation>
    </message>
</context>
<context>
    <name>Localizable</name>
    <message>
        <source>choose</source>
        <extracomment>file open button</extracomment>
        <translation>选择 FCPXML 文件…</translation>
    </message>
    <message>
        <source>file_read_fail</source>
        <extracomment>file read fail</extracomment>
        <translation>无法读取文件</translation>
    </message>
    <message>
        <source>file_parse_fail</source>
        <extracomment>file parse fail</extracomment>
        <translation>无法将文档读取为 FCPXML</translation>
    </message>
    <message>
        <source>save_file</source>
        <extracomment>file save</extracomment>
        <translation>保存字幕</translation>
    </message>
    <message>
        <source>save_finish</source>
        <extracomment>file saved</extracomment>
        <translation>已保存</translation>
    </message>
    <message>
        <source>save_failed</source>
        <extracomment>save failed</extracomment>
        <translation>无法保存文件</translation>
    </message>
    <message>
        <source>alert_notify</source>
        <extracomment>notification</extracomment>
        <translation>Caplift</translation>
    </message>
    <message>
        <source>ok</source>
        <extracomment>OK</extracomment>
        <translation>确定</translation>
    </message>
    <message>
        <source>preview</source>
        <extracomment>preview SRT</extracomment>
        <translation>SRT 预览</translation>
    </message>
    <message>
        <source>save_ok</source>
        <extracomment>Save OK</extracomment>
        <translation>保存</translation>
    </message>
    <message>
        <source>cancel</source>
        <extracomment>Cancel</extracomment>
        <translation>取消</translation>
    </message>
    <message>
        <source>back</source>
        <extracomment>Back / Back Button</extracomment>
        <translation>返回</translation>
    </message>
    <message>
        <source>about</source>
        <extracomment>About / About window title</extracomment>
        <translation>关于 Caplift</translation>
    </message>
    <message>
        <source>no_titles</source>
        <extracomment>document holds no titles / preview placeholder</extracomment>
        <translation>此文档不包含任何标题。</translation>
    </message>
</context>
<context>
    <name>Platform</name>
    <message>
        <source>XML document, FCPXML bundle</source>
        <translation>XML 文档、FCPXML 包</translation>
    </message>
</context>
</TS>
