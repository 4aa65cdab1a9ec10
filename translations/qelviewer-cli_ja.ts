<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="ja_JP" sourcelanguage="en">
<context>
    <name>Cli</name>
    <message>
        <source>no command given</source>
        <translation>コマンドが指定されていません</translation>
    </message>
    <message>
        <source>unknown command: %1</source>
        <translation>知らないコマンドです: %1</translation>
    </message>
    <message>
        <source>unknown option: %1</source>
        <translation>知らないオプションです: %1</translation>
    </message>
    <message>
        <source>%1 needs %2</source>
        <extracomment>%1: an option, %2: what it needs (&quot;a value&quot;, &quot;0, 1 or 2&quot;).</extracomment>
        <translation>%1 には%2が必要です</translation>
    </message>
    <message>
        <source>usage:</source>
        <extracomment>Heading of the list of commands; the lines under it are not translated.</extracomment>
        <translation>使い方:</translation>
    </message>
    <message>
        <source>cannot write to standard output: %1</source>
        <extracomment>%1: the system&apos;s reason.</extracomment>
        <translation>標準出力に書き込めません: %1</translation>
    </message>
    <message>
        <source>cannot read %1: %2</source>
        <extracomment>%1: a file, %2: the system&apos;s reason.</extracomment>
        <translation>%1 を読み込めません: %2</translation>
    </message>
    <message>
        <source>folder not found: %1</source>
        <translation>フォルダーが見つかりません: %1</translation>
    </message>
    <message>
        <source>not a folder: %1</source>
        <translation>フォルダーではありません: %1</translation>
    </message>
    <message>
        <source>folder cannot be read: %1</source>
        <translation>フォルダーを読み込めません: %1</translation>
    </message>
    <message>
        <source>folder cannot be read to its end: %1: %2</source>
        <extracomment>%1: the folder, %2: the system&apos;s reason.</extracomment>
        <translation>フォルダーを最後まで読み込めません: %1: %2</translation>
    </message>
    <message>
        <source>0, 1 or 2</source>
        <translation>0、1、2のいずれか</translation>
    </message>
    <message>
        <source>--group needs 0, 1 or 2, not %1</source>
        <extracomment>%1: the value given.</extracomment>
        <translation>--group には0、1、2のいずれかを指定して下さい（%1 ではなく）</translation>
    </message>
    <message>
        <source>cannot make the PNG image for %1</source>
        <translation>%1 のPNG画像を作れません</translation>
    </message>
    <message>
        <source>cannot write %1</source>
        <translation>書き込めません: %1</translation>
    </message>
    <message>
        <source>--kind with --file is practice or time, not %1</source>
        <translation>--file と使う --kind は practice か time です（%1 ではなく）</translation>
    </message>
    <message>
        <source>--file needs a record file name such as NAME_Qele.dat, not %1</source>
        <translation>--file には NAME_Qele.dat のような練習記録ファイルの名前を指定して下さい（%1 ではなく）</translation>
    </message>
    <message>
        <source>record file not found: %1</source>
        <translation>練習記録ファイルが見つかりません: %1</translation>
    </message>
    <message>
        <source>--kind with --group is steps or runs, not %1</source>
        <translation>--group と使う --kind は steps か runs です（%1 ではなく）</translation>
    </message>
    <message>
        <source>--size needs WxH in pixels, each 1 to %1, not %2</source>
        <translation>--size にはピクセル数で WxH（それぞれ1～%1）を指定して下さい（%2 ではなく）</translation>
    </message>
    <message>
        <source>graph needs a FOLDER and an OUT.png</source>
        <translation>graph には FOLDER と OUT.png が必要です</translation>
    </message>
    <message>
        <source>the output file must end in .png: %1</source>
        <translation>出力ファイルの名前は .png で終わる必要があります: %1</translation>
    </message>
    <message>
        <source>graph needs either --file NAME_Qel?.dat or --group 0|1|2</source>
        <translation>graph には --file NAME_Qel?.dat か --group 0|1|2 のどちらかが必要です</translation>
    </message>
    <message>
        <source>graph needs --kind</source>
        <translation>graph には --kind が必要です</translation>
    </message>
    <message>
        <source>graph needs --size WxH</source>
        <translation>graph には --size WxH が必要です</translation>
    </message>
    <message>
        <source>%1 is a record or settings file of the folder; it is not overwritten</source>
        <translation>%1 はフォルダーの練習記録ファイルか設定ファイルです。上書きしません</translation>
    </message>
    <message>
        <source>a value</source>
        <translation>値</translation>
    </message>
    <message>
        <source>the history database was damaged; it was moved to %1 and a new one begun</source>
        <translation>練習の記録のデータベースが壊れていたため、%1 に移して新しく始めました</translation>
    </message>
    <message>
        <source>cannot use the history database %1: %2</source>
        <translation>練習の記録のデータベース %1 を使えません: %2</translation>
    </message>
    <message>
        <source>%1 needs a FOLDER</source>
        <translation>%1 には FOLDER が必要です</translation>
    </message>
    <message>
        <source>unexpected argument: %1</source>
        <translation>余分な引数です: %1</translation>
    </message>
    <message>
        <source>--by needs day or week, not %1</source>
        <translation>--by には day か week を指定して下さい（%1 ではなく）</translation>
    </message>
    <message>
        <source>--since needs a date YYYY-MM-DD, not %1</source>
        <translation>--since には YYYY-MM-DD の形の日付を指定して下さい（%1 ではなく）</translation>
    </message>
    <message>
        <source>a date YYYY-MM-DD</source>
        <translation>YYYY-MM-DD の形の日付</translation>
    </message>
    <message>
        <source>day or week</source>
        <translation>day か week</translation>
    </message>
    <message>
        <source>summary needs a FOLDER and a NAME</source>
        <translation>summary には FOLDER と NAME が必要です</translation>
    </message>
    <message>
        <source>no record file of %1 in %2</source>
        <translation>%2 に %1 の練習記録ファイルはありません</translation>
    </message>
    <message>
        <source>%1 is the name of %2 learners in %3; give it in the bytes of its file name</source>
        <translation>%3 では %1 は%2人の学習者の名前です。ファイル名のバイト列で指定して下さい</translation>
    </message>
    <message>
        <source>stats needs a FOLDER</source>
        <translation>stats には FOLDER が必要です</translation>
    </message>
    <message>
        <source>report needs either --personal or --group</source>
        <translation>report には --personal か --group のどちらかが必要です</translation>
    </message>
    <message>
        <source>report needs a FOLDER and an output file OUT.pdf</source>
        <translation>report には FOLDER と出力ファイル OUT.pdf が必要です</translation>
    </message>
    <message>
        <source>the output file must end in .pdf: %1</source>
        <translation>出力ファイルの名前は .pdf で終わる必要があります: %1</translation>
    </message>
    <message>
        <source>--group takes no NAME: %1</source>
        <translation>--group には NAME を指定できません: %1</translation>
    </message>
    <message>
        <source>%1: 1 page</source>
        <extracomment>What was written: %1 the PDF file.
----------
What was written: %1 the PDF file, %2 its number of pages (more than one).</extracomment>
        <translation>%1: 1ページ</translation>
    </message>
    <message>
        <source>no learners in %1</source>
        <translation>%1 に学習者はいません</translation>
    </message>
    <message>
        <source>%1: %2 pages</source>
        <translation>%1: %2ページ</translation>
    </message>
    <message>
        <source>%1 is not answering; the last table stands</source>
        <translation>%1 が応答しません。前回の表を表示しています</translation>
    </message>
    <message>
        <source>%1 is missing; the last table stands</source>
        <translation>%1 が見つかりません。前回の表を表示しています</translation>
    </message>
    <message>
        <source>cannot list %1; the last table stands</source>
        <translation>%1 を読み込めません。前回の表を表示しています</translation>
    </message>
</context>
</TS>
