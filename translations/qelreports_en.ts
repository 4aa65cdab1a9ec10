<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_US" sourcelanguage="ja">
<context>
    <name>ClassSheet</name>
    <message>
        <source>クラスの様子（%1）</source>
        <extracomment>Title of the printed class board; %1 the group.</extracomment>
        <translation>The class today (%1)</translation>
    </message>
    <message>
        <source>%1 現在</source>
        <extracomment>When the class board was printed: %1 date and time.</extracomment>
        <translation>As of %1</translation>
    </message>
    <message>
        <source>最終練習 %1</source>
        <extracomment>On a tile: %1 the date of the learner&apos;s last practice.</extracomment>
        <translation>Last practice %1</translation>
    </message>
    <message>
        <source>N日練習なし</source>
        <extracomment>The key&apos;s entry for learners absent for more days than the Course allows.</extracomment>
        <translation>No practice for N days</translation>
    </message>
    <message>
        <source>学習者がいません。</source>
        <translation>There are no learners.</translation>
    </message>
</context>
<context>
    <name>GroupReport</name>
    <message>
        <source>%1人  </source>
        <extracomment>Above a bar: %1 the number of learners (padded with blanks, keep them in front).</extracomment>
        <translation>%1  </translation>
    </message>
    <message>
        <source>0～</source>
        <extracomment>Under the first bar: values from 0.</extracomment>
        <translation>0–</translation>
    </message>
    <message>
        <source>%1～</source>
        <extracomment>Under a bar: values from %1 (up to the next bar&apos;s).</extracomment>
        <translation>%1–</translation>
    </message>
    <message>
        <source>%1以上</source>
        <extracomment>Under the last bar: %1 and more.</extracomment>
        <translation>%1+</translation>
    </message>
    <message>
        <source>全体</source>
        <extracomment>Column of the statistics: all learners.</extracomment>
        <translation>All learners</translation>
    </message>
    <message>
        <source>英文練習</source>
        <extracomment>Column of the statistics: the learners of the English course.</extracomment>
        <translation>English</translation>
    </message>
    <message>
        <source>かな／ローマ練習</source>
        <extracomment>Column of the statistics: the learners of the kana/romaji course.</extracomment>
        <translation>Kana/Romaji</translation>
    </message>
    <message>
        <source>練習人数</source>
        <translation>Learners</translation>
    </message>
    <message>
        <source>平均ＳＴＥＰ</source>
        <translation>Mean STEP</translation>
    </message>
    <message>
        <source>平均練習回数</source>
        <translation>Mean runs</translation>
    </message>
    <message>
        <source>最高ＳＴＥＰ</source>
        <translation>Highest STEP</translation>
    </message>
    <message>
        <source>最低ＳＴＥＰ</source>
        <translation>Lowest STEP</translation>
    </message>
    <message>
        <source>最高練習回数</source>
        <translation>Most runs</translation>
    </message>
    <message>
        <source>最低練習回数</source>
        <translation>Fewest runs</translation>
    </message>
    <message>
        <source>人</source>
        <extracomment>Caption of the vertical axis: number of learners.</extracomment>
        <translation>Learners</translation>
    </message>
    <message>
        <source>ＳＴＥＰ</source>
        <extracomment>Title of the histogram of passed STEPs.</extracomment>
        <translation>STEP</translation>
    </message>
    <message>
        <source>練習回数</source>
        <extracomment>Title of the histogram of run counts.</extracomment>
        <translation>Runs</translation>
    </message>
    <message>
        <source>全体</source>
        <comment>title</comment>
        <extracomment>Title of the group report: the whole class. Short: the folder follows it on the line.</extracomment>
        <translation>All</translation>
    </message>
</context>
<context>
    <name>HistoryCsv</name>
    <message>
        <source>名前</source>
        <translation>Name</translation>
    </message>
    <message>
        <source>モード</source>
        <extracomment>The course.</extracomment>
        <translation>Mode</translation>
    </message>
    <message>
        <source>期間</source>
        <extracomment>The day or week.</extracomment>
        <translation>Period</translation>
    </message>
    <message>
        <source>観測日数</source>
        <extracomment>Days of the period on which the viewer watched the folder.</extracomment>
        <translation>Days observed</translation>
    </message>
    <message>
        <source>練習回数</source>
        <translation>Runs</translation>
    </message>
    <message>
        <source>練習時間(分)</source>
        <translation>Time (min)</translation>
    </message>
    <message>
        <source>平均ＳＰＭ</source>
        <translation>Mean SPM</translation>
    </message>
    <message>
        <source>ミスタイプ率(%)</source>
        <translation>Mistypes (%)</translation>
    </message>
    <message>
        <source>到達ＳＴＥＰ</source>
        <extracomment>The highest STEP passed by the period&apos;s end.</extracomment>
        <translation>STEP reached</translation>
    </message>
    <message>
        <source>ＳＴＥＰ増</source>
        <extracomment>STEPs gained in the period.</extracomment>
        <translation>STEPs gained</translation>
    </message>
    <message>
        <source>備考</source>
        <extracomment>Notes.</extracomment>
        <translation>Notes</translation>
    </message>
    <message>
        <source>今週: %1</source>
        <extracomment>A note on this week&apos;s figures (%1).</extracomment>
        <translation>This week: %1</translation>
    </message>
    <message>
        <source>先週: %1</source>
        <extracomment>A note on last week&apos;s figures (%1).</extracomment>
        <translation>Last week: %1</translation>
    </message>
    <message>
        <source>、</source>
        <extracomment>Between the notes of the two weeks.</extracomment>
        <translation>; </translation>
    </message>
</context>
<context>
    <name>OutputFile</name>
    <message>
        <source>「%1」は練習記録フォルダーの練習記録ファイルか設定ファイルです。上書きできませんので、別の名前を指定して下さい。</source>
        <translation>“%1” is a record file or settings file of the record folder. It cannot be overwritten; please choose another name.</translation>
    </message>
</context>
<context>
    <name>PersonalReport</name>
    <message>
        <source>英文練習</source>
        <extracomment>Heading of the printed column of the English course.</extracomment>
        <translation>English</translation>
    </message>
    <message>
        <source>かな／ローマ練習</source>
        <extracomment>Heading of the printed column of the kana/romaji course.</extracomment>
        <translation>Kana/Romaji</translation>
    </message>
    <message>
        <source>%1ページ目を始められませんでした。</source>
        <extracomment>%1: the number of the page the printer would not begin.</extracomment>
        <translation>Could not begin page %1.</translation>
    </message>
    <message>
        <source>合格済ステップ</source>
        <translation>STEP passed</translation>
    </message>
    <message>
        <source>練習回数</source>
        <translation>Runs</translation>
    </message>
    <message>
        <source>総練習時間</source>
        <translation>Total time</translation>
    </message>
    <message>
        <source>上達度</source>
        <extracomment>Progress rate: SPM gained per run.</extracomment>
        <translation>Progress</translation>
    </message>
    <message>
        <source>最高ＳＰＭ</source>
        <translation>Best SPM</translation>
    </message>
    <message>
        <source>最終練習日</source>
        <translation>Last practice</translation>
    </message>
    <message>
        <source>テキスト</source>
        <extracomment>The practice text chosen in the trainer.</extracomment>
        <translation>Text</translation>
    </message>
    <message>
        <source>変換モード</source>
        <translation>Conversion</translation>
    </message>
    <message>
        <source>スピードガイド</source>
        <translation>Speed guide</translation>
    </message>
    <message>
        <source>キーボード</source>
        <extracomment>Whether the trainer shows the keyboard.</extracomment>
        <translation>Keyboard</translation>
    </message>
    <message>
        <source>ミスタイプ</source>
        <extracomment>Whether the trainer marks a mistyped key on the keyboard.</extracomment>
        <translation>Mistypes</translation>
    </message>
    <message>
        <source>漢字</source>
        <extracomment>Whether the trainer shows kanji, and their reading.</extracomment>
        <translation>Kanji</translation>
    </message>
    <message>
        <source>読み</source>
        <translation>Reading</translation>
    </message>
    <message>
        <source>カーソル</source>
        <translation>Cursor</translation>
    </message>
    <message>
        <source>経過時間</source>
        <extracomment>Whether the trainer shows the time elapsed.</extracomment>
        <translation>Time shown</translation>
    </message>
    <message>
        <source>ストローク／分</source>
        <extracomment>Caption of the left axis: strokes per minute.</extracomment>
        <translation>Strokes/min</translation>
    </message>
    <message>
        <source>ミスタイプ率(%)</source>
        <extracomment>Caption of the right axis: mistyped strokes in percent.</extracomment>
        <translation>Mistypes (%)</translation>
    </message>
    <message>
        <source>STEP毎 練習時間</source>
        <extracomment>Caption of the time graph: practice time per STEP.</extracomment>
        <translation>Practice time per STEP</translation>
    </message>
</context>
<context>
    <name>PrintJob</name>
    <message>
        <source>「%1」に書き込めませんでした: %2</source>
        <translation>Could not write “%1”: %2</translation>
    </message>
    <message>
        <source>「%1」に書き込めませんでした: ディスクがいっぱいか、書き込みに失敗しました。</source>
        <translation>Could not write “%1”: the disk is full or writing failed.</translation>
    </message>
    <message>
        <source>プリンタ</source>
        <extracomment>The printer named in the messages below when it has no name of its own.</extracomment>
        <translation>The printer</translation>
    </message>
    <message>
        <source>「%1」</source>
        <translation>The printer “%1”</translation>
    </message>
    <message>
        <source>%1は使えません。印刷できませんでした。</source>
        <translation>%1 cannot be used. Nothing was printed.</translation>
    </message>
    <message>
        <source>%1を開けませんでした。印刷できませんでした。</source>
        <translation>%1 could not be opened. Nothing was printed.</translation>
    </message>
    <message>
        <source>%1への印刷が途中で止まりました。%2</source>
        <extracomment>%1: the printer, %2: what went wrong.</extracomment>
        <translation>Printing on %1 stopped part way. %2</translation>
    </message>
    <message>
        <source>%1への印刷を終えられませんでした。</source>
        <translation>Printing on %1 could not be finished.</translation>
    </message>
    <message>
        <source>「%1」を開けませんでした。印刷できませんでした。</source>
        <translation>“%1” could not be opened. Nothing was printed.</translation>
    </message>
    <message>
        <source>「%1」に書き込めません: %2</source>
        <translation>Cannot write “%1”: %2</translation>
    </message>
</context>
<context>
    <name>WeekReport</name>
    <message>
        <source>* 記録フォルダを見ていなかった日の練習を含む回数です。</source>
        <extracomment>Note under the table; keep the mark &quot;*&quot; in front, it marks the counts meant.</extracomment>
        <translation>* These counts may include runs of days when the record folder was not watched.</translation>
    </message>
    <message numerus="yes">
        <source>ほか%n件は載せきれませんでした。</source>
        <extracomment>The last line of a page too short for all learners: %n learners not printed.</extracomment>
        <translation>
            <numerusform>%n more learner did not fit on the page.</numerusform>
            <numerusform>%n more learners did not fit on the page.</numerusform>
        </translation>
    </message>
    <message>
        <source>今週と先週</source>
        <extracomment>Title of the weekly comparison page.</extracomment>
        <translation>This week and last week</translation>
    </message>
    <message>
        <source>今週 %1～%2（%3まで）&#x3000;先週 %4～%5</source>
        <extracomment>The two weeks: this week from %1 to %2 (counted up to today, %3), last week from %4 to %5.</extracomment>
        <translation>This week %1–%2 (up to %3)   Last week %4–%5</translation>
    </message>
    <message>
        <source>今週</source>
        <translation>This week</translation>
    </message>
    <message>
        <source>先週</source>
        <translation>Last week</translation>
    </message>
    <message>
        <source>回数</source>
        <extracomment>Column head: number of runs in the week.</extracomment>
        <translation>Runs</translation>
    </message>
    <message>
        <source>時間(分)</source>
        <extracomment>Column head: practice time in the week, in minutes.</extracomment>
        <translation>Min</translation>
    </message>
    <message>
        <source>STEP増</source>
        <extracomment>Column head: STEPs gained in the week.</extracomment>
        <translation>STEPs+</translation>
    </message>
    <message>
        <source>名前</source>
        <translation>Name</translation>
    </message>
    <message>
        <source>モード</source>
        <extracomment>Column head: the course.</extracomment>
        <translation>Mode</translation>
    </message>
    <message>
        <source>全体</source>
        <extracomment>Row of the whole group under the learners.</extracomment>
        <translation>All learners</translation>
    </message>
    <message>
        <source>練習した人数</source>
        <translation>Learners who practised</translation>
    </message>
    <message>
        <source>%1/%2人</source>
        <extracomment>%1 learners who practised in the week, of %2 learners.</extracomment>
        <translation>%1/%2</translation>
    </message>
</context>
</TS>
