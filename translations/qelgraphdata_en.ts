<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_US" sourcelanguage="ja">
<context>
    <name>qel::frmGraphData</name>
    <message>
        <source>グラフのデータ</source>
        <extracomment>Title of the window showing a graph&apos;s data as a table.</extracomment>
        <translation>Graph data</translation>
    </message>
    <message>
        <source>コピー</source>
        <extracomment>Button: copies the whole table to the clipboard.</extracomment>
        <translation>Copy</translation>
    </message>
    <message>
        <source>閉じる</source>
        <extracomment>Button: closes the window.</extracomment>
        <translation>Close</translation>
    </message>
    <message>
        <source>表全体をタブ区切りでクリップボードにコピーします (Ctrl+C)。</source>
        <extracomment>What the copy button does, as its tip and for screen readers.</extracomment>
        <translation>Copies the whole table, tab-separated, to the clipboard (Ctrl+C).</translation>
    </message>
</context>
</TS>
