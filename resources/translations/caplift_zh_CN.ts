<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="zh_CN" sourcelanguage="en">
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
    <name>Caplift</name>
    <message>
        <source>The file “%1” does not exist.</source>
        <translation>文件“%1”不存在。</translation>
    </message>
    <message>
        <source>“%1” is a folder, not a file.</source>
        <translation>“%1”是文件夹，不是文件。</translation>
    </message>
    <message>
        <source>“%1” is not a regular file.</source>
        <translation>“%1”不是普通文件。</translation>
    </message>
    <message>
        <source>The file “%1” could not be opened: %2</source>
        <translation>无法打开文件“%1”：%2</translation>
    </message>
    <message>
        <source>The file “%1” could not be read: %2</source>
        <translation>无法读取文件“%1”：%2</translation>
    </message>
    <message>
        <source>The file “%1” is not valid UTF-8 text (invalid byte at offset %2).</source>
        <translation>文件“%1”不是有效的 UTF-8 文本（偏移量 %2 处有无效字节）。</translation>
    </message>
    <message>
        <source>The file “%1” could not be saved: %2</source>
        <translation>无法保存文件“%1”：%2</translation>
    </message>
    <message>
        <source>Drop to convert</source>
        <translation>拖放到此处进行转换</translation>
    </message>
</context>
<context>
    <name>Platform</name>
    <message>
        <source>XML document, FCPXML bundle</source>
        <translation>XML 文档、FCPXML 包</translation>
    </message>
    <message>
        <source>SubRip subtitles</source>
        <translation>SubRip 字幕</translation>
    </message>
</context>
</TS>
