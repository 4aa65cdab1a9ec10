<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_US" sourcelanguage="ja">
<context>
    <name>HistoryFigures</name>
    <message>
        <source>未観測</source>
        <extracomment>A day or week the viewer did not watch the record folder: its figures are unknown.</extracomment>
        <translation>Not observed</translation>
    </message>
    <message>
        <source>%1以降の分を含む</source>
        <extracomment>The figures may hold runs of days no one watched, from the date %1 (MM/dd) on.</extracomment>
        <translation>Includes runs since %1</translation>
    </message>
</context>
<context>
    <name>qel::history::Journal</name>
    <message>
        <source>練習の記録のデータベースが壊れていたため、「%1」に移して新しく記録を始めました。</source>
        <extracomment>%1: where the damaged database file now lies.</extracomment>
        <translation>The practice history database was damaged. It was moved to “%1” and a new history was begun.</translation>
    </message>
    <message>
        <source>練習の記録を保存できません（ディスクがいっぱいか、書き込みに失敗しました）。記録を残さずに表示を続けます。</source>
        <translation>The practice history cannot be saved (the disk is full or writing failed). The viewer goes on without keeping a history.</translation>
    </message>
    <message>
        <source>練習の記録のデータベース「%1」を使えません（%2）。記録を残さずに表示を続けます。</source>
        <extracomment>%1: the database file, %2: what went wrong (the system&apos;s words).</extracomment>
        <translation>The practice history database “%1” cannot be used (%2). The viewer goes on without keeping a history.</translation>
    </message>
</context>
</TS>
