<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_US" sourcelanguage="ja">
<context>
    <name>HistoryViews</name>
    <message>
        <source>、</source>
        <extracomment>Between the names of the learners in the question of tidying the history.</extracomment>
        <translation>, </translation>
    </message>
    <message numerus="yes">
        <source> ほか%n人</source>
        <extracomment>After the first ten names: %n more learners.</extracomment>
        <translation>
            <numerusform> and %n more</numerusform>
            <numerusform> and %n more</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>記録ファイルの残っていない%n人の練習の記録を削除しますか？
%1</source>
        <extracomment>%n learners whose record files are gone; the names follow on the next line (%1).</extracomment>
        <translation>
            <numerusform>Delete the practice history of %n learner whose record files are gone?
%1</numerusform>
            <numerusform>Delete the practice history of %n learners whose record files are gone?
%1</numerusform>
        </translation>
    </message>
    <message>
        <source>削除できる練習の記録はありません。</source>
        <translation>There is no practice history to delete.</translation>
    </message>
    <message numerus="yes">
        <source>%n人の練習の記録を削除しました。</source>
        <translation>
            <numerusform>Deleted the practice history of %n learner.</numerusform>
            <numerusform>Deleted the practice history of %n learners.</numerusform>
        </translation>
    </message>
    <message>
        <source>練習の記録を整理できませんでした。記録フォルダか練習の記録のデータベースを読めません。</source>
        <translation>The practice history could not be tidied: the record folder or the history database cannot be read.</translation>
    </message>
</context>
<context>
    <name>qel::About</name>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>製作者のホームページ</source>
        <extracomment>The link under the version, to the maker&apos;s web page.</extracomment>
        <translation>Maker&apos;s web page</translation>
    </message>
    <message>
        <source>ブラウザで %1 を開きます。</source>
        <extracomment>%1 is the address of the maker&apos;s web page.</extracomment>
        <translation>Opens %1 in the web browser.</translation>
    </message>
</context>
<context>
    <name>qel::WeekTableModel</name>
    <message>
        <source>名前</source>
        <extracomment>Columns of the table of this week and last week: the learner, the Course, this week&apos;s runs, minutes and STEPs gained, the same for last week, and a note.</extracomment>
        <translation>Name</translation>
    </message>
    <message>
        <source>モード</source>
        <translation>Mode</translation>
    </message>
    <message>
        <source>今週
回数</source>
        <translation>This week
runs</translation>
    </message>
    <message>
        <source>今週
時間(分)</source>
        <translation>This week
minutes</translation>
    </message>
    <message>
        <source>今週
STEP増</source>
        <translation>This week
STEPs gained</translation>
    </message>
    <message>
        <source>先週
回数</source>
        <translation>Last week
runs</translation>
    </message>
    <message>
        <source>先週
時間(分)</source>
        <translation>Last week
minutes</translation>
    </message>
    <message>
        <source>先週
STEP増</source>
        <translation>Last week
STEPs gained</translation>
    </message>
    <message>
        <source>備考</source>
        <translation>Note</translation>
    </message>
</context>
<context>
    <name>qel::frmHistory</name>
    <message>
        <source>%1（%2）の練習の記録</source>
        <extracomment>Heading of a learner&apos;s practice record: %1 the learner, %2 the Course.</extracomment>
        <translation>Practice record of %1 (%2)</translation>
    </message>
    <message>
        <source>練習の記録</source>
        <extracomment>Title of the view of a learner&apos;s practice over days or weeks.</extracomment>
        <translation>Practice Record</translation>
    </message>
    <message>
        <source>日ごと(&amp;D)</source>
        <extracomment>Choices of the practice record: one row and bar per day, ...</extracomment>
        <translation>By &amp;day</translation>
    </message>
    <message>
        <source>週ごと(&amp;W)</source>
        <extracomment>... or per week; ...</extracomment>
        <translation>By &amp;week</translation>
    </message>
    <message>
        <source>練習回数(&amp;N)</source>
        <extracomment>... the bars show the runs ...</extracomment>
        <translation>Ru&amp;ns</translation>
    </message>
    <message>
        <source>練習時間(&amp;T)</source>
        <extracomment>... or the minutes practised.</extracomment>
        <translation>&amp;Time</translation>
    </message>
    <message>
        <source>1日ごとに数えます。</source>
        <translation>Counts each day.</translation>
    </message>
    <message>
        <source>月曜日から日曜日までの1週間ごとに数えます。</source>
        <translation>Counts each week from Monday to Sunday.</translation>
    </message>
    <message>
        <source>グラフに練習回数を示します。</source>
        <translation>The graph shows the runs.</translation>
    </message>
    <message>
        <source>グラフに練習時間を分で示します。</source>
        <translation>The graph shows the minutes practised.</translation>
    </message>
    <message>
        <source>練習のグラフ</source>
        <translation>Practice graph</translation>
    </message>
    <message>
        <source>期間ごとの練習</source>
        <translation>Practice per period</translation>
    </message>
    <message>
        <source>新しい期間から順に、練習回数、練習時間、平均SPM、ミスタイプ率、到達STEPを示します。</source>
        <translation>Runs, practice time, mean SPM, mistype rate and STEP reached, newest period first.</translation>
    </message>
    <message>
        <source>まだ記録がありません。ビューアがこの記録フォルダを読むたびに記録されます。</source>
        <translation>No history yet. It is kept each time the viewer reads this record folder.</translation>
    </message>
    <message>
        <source>閉じる</source>
        <translation>Close</translation>
    </message>
    <message>
        <source>練習時間(分)</source>
        <extracomment>Captions of the bar graph: minutes practised, or runs.</extracomment>
        <translation>Practice time (min)</translation>
    </message>
    <message>
        <source>練習回数</source>
        <translation>Runs</translation>
    </message>
</context>
<context>
    <name>qel::frmMprop</name>
    <message>
        <source>全体のプロパティ</source>
        <extracomment>Title of the group properties dialog: the statistics of all learners and of each Course.</extracomment>
        <translation>Group Properties</translation>
    </message>
    <message>
        <source>全体</source>
        <extracomment>Column of the statistics of all learners.</extracomment>
        <translation>All learners</translation>
    </message>
    <message>
        <source>英文練習</source>
        <translation>English</translation>
    </message>
    <message>
        <source>かな／ローマ練習</source>
        <translation>Kana/Romaji</translation>
    </message>
    <message>
        <source>%1（%2）</source>
        <extracomment>A figure as a screen reader names it: %1 the figure, %2 the group&apos;s column.</extracomment>
        <translation>%1 (%2)</translation>
    </message>
    <message>
        <source>集計しています。</source>
        <extracomment>Shown while the figures of the three groups are being gathered.</extracomment>
        <translation>Counting...</translation>
    </message>
    <message>
        <source>印刷</source>
        <translation>Print</translation>
    </message>
    <message>
        <source>この集計を全体レポートとして印刷します。</source>
        <translation>Prints these figures as the group report.</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
</context>
<context>
    <name>qel::frmOutputNames</name>
    <message>
        <source>名前の出力</source>
        <extracomment>Title of the question which names go on the class board&apos;s printout or CSV file.</extracomment>
        <translation>Names in the Output</translation>
    </message>
    <message>
        <source>出力する名前を選んでください。</source>
        <translation>Which names should the output show?</translation>
    </message>
    <message>
        <source>名前(&amp;N)</source>
        <extracomment>The learners&apos; own names, ...</extracomment>
        <translation>Real &amp;names</translation>
    </message>
    <message>
        <source>番号 (学習者 12 など)(&amp;U)</source>
        <extracomment>... or the numbers the window shows while it hides the names.</extracomment>
        <translation>N&amp;umbers (Learner 12 and so on)</translation>
    </message>
    <message>
        <source>学習者の名前をそのまま出力します。</source>
        <translation>The output shows the learners&apos; names.</translation>
    </message>
    <message>
        <source>画面と同じ番号を出力し、名前は出しません。</source>
        <translation>The output shows the numbers the window shows, and no names.</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>キャンセル</source>
        <translation>Cancel</translation>
    </message>
</context>
<context>
    <name>qel::frmPropaty</name>
    <message>
        <source>個人のプロパティ</source>
        <extracomment>Title of the personal properties dialog.</extracomment>
        <translation>Personal Properties</translation>
    </message>
    <message>
        <source>利用者</source>
        <extracomment>Caption of the learner&apos;s name.</extracomment>
        <translation>Learner</translation>
    </message>
    <message>
        <source>英文練習</source>
        <translation>English practice</translation>
    </message>
    <message>
        <source>かな／ローマ練習</source>
        <translation>Kana/Romaji practice</translation>
    </message>
    <message>
        <source>合格済ステップ</source>
        <extracomment>Captions of a learner&apos;s figures, one row each: the highest STEP passed, ...</extracomment>
        <translation>Passed STEP</translation>
    </message>
    <message>
        <source>練習回数</source>
        <extracomment>... the number of practice runs, ...</extracomment>
        <translation>Runs</translation>
    </message>
    <message>
        <source>総練習時間</source>
        <translation>Total time</translation>
    </message>
    <message>
        <source>上達度</source>
        <extracomment>... the progress rate (strokes per minute gained per run), ...</extracomment>
        <translation>Progress rate</translation>
    </message>
    <message>
        <source>最高SPM</source>
        <extracomment>... the best strokes per minute, ...</extracomment>
        <translation>Best SPM</translation>
    </message>
    <message>
        <source>最終練習日</source>
        <extracomment>... the date of the last run.</extracomment>
        <translation>Last practice</translation>
    </message>
    <message>
        <source>%1（%2）</source>
        <extracomment>A figure as a screen reader names it: %1 the figure, %2 the Course&apos;s practice.</extracomment>
        <translation>%1 (%2)</translation>
    </message>
    <message>
        <source>テキスト</source>
        <extracomment>Captions of the learner&apos;s own trainer settings: the practice text, ...</extracomment>
        <translation>Text</translation>
    </message>
    <message>
        <source>変換モード</source>
        <extracomment>... the kana conversion mode, ...</extracomment>
        <translation>Conversion</translation>
    </message>
    <message>
        <source>スピードガイド</source>
        <translation>Speed guide</translation>
    </message>
    <message>
        <source>キーボード</source>
        <extracomment>... whether the on-screen keyboard shows, ...</extracomment>
        <translation>Keyboard</translation>
    </message>
    <message>
        <source>漢字</source>
        <extracomment>... whether kanji show, ...</extracomment>
        <translation>Kanji</translation>
    </message>
    <message>
        <source>カーソル</source>
        <translation>Cursor</translation>
    </message>
    <message>
        <source>経過時間</source>
        <extracomment>... whether the elapsed time shows.</extracomment>
        <translation>Elapsed time</translation>
    </message>
    <message>
        <source>ミスタイプ</source>
        <extracomment>Setting beside the keyboard: whether the keyboard marks a mistyped key.</extracomment>
        <translation>Mistypes</translation>
    </message>
    <message>
        <source>読み仮名</source>
        <extracomment>Setting beside the kanji: whether the reading shows over kanji.</extracomment>
        <translation>Reading</translation>
    </message>
    <message>
        <source>印刷</source>
        <translation>Print</translation>
    </message>
    <message>
        <source>この学習者の個人レポートを印刷して閉じます。</source>
        <translation>Prints this learner&apos;s personal report and closes.</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
</context>
<context>
    <name>qel::frmSearch</name>
    <message>
        <source>検索</source>
        <extracomment>Title of the find dialog.</extracomment>
        <translation>Find</translation>
    </message>
    <message>
        <source>検索する名前</source>
        <translation>Name to find</translation>
    </message>
    <message>
        <source>学習者の名前を入れて OK を押すと、一覧でその学習者の行を選びます。</source>
        <translation>Type a learner&apos;s name and press OK to select the learner&apos;s row in the list.</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>キャンセル</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>検索名が見つかりません。</source>
        <translation>The name was not found.</translation>
    </message>
</context>
<context>
    <name>qel::frmSplash</name>
    <message>
        <source>タイピング練習記録ビューア</source>
        <extracomment>Under the program&apos;s name on the start-up picture.</extracomment>
        <translation>Typing practice record viewer</translation>
    </message>
    <message>
        <source>記録フォルダを読んでいます</source>
        <translation>Reading the record folder</translation>
    </message>
</context>
<context>
    <name>qel::frmTargets</name>
    <message>
        <source>目標の設定</source>
        <extracomment>Title of the dialog of the class board&apos;s targets.</extracomment>
        <translation>Targets</translation>
    </message>
    <message>
        <source>英文</source>
        <translation>English</translation>
    </message>
    <message>
        <source>かな/ローマ</source>
        <translation>Kana/Romaji</translation>
    </message>
    <message>
        <source>SPM (直近10回の平均がこれ以上)</source>
        <extracomment>A learner falls short when the mean SPM of the last ten runs is below this.</extracomment>
        <translation>SPM (mean of the last 10 runs at least)</translation>
    </message>
    <message>
        <source>ミスタイプ率 (直近10回の平均がこれ以下)</source>
        <extracomment>A learner falls short when the mean mistype rate of the last ten runs is above this.</extracomment>
        <translation>Mistype rate (mean of the last 10 runs at most)</translation>
    </message>
    <message>
        <source>1週間の練習時間 (これ以上)</source>
        <translation>Practice time a week (at least)</translation>
    </message>
    <message>
        <source>練習なしの日数 (これを超えると知らせる)</source>
        <extracomment>The board tells of a learner who has not practised for more days than this.</extracomment>
        <translation>Days without practice (told when more)</translation>
    </message>
    <message>
        <source> 分</source>
        <extracomment>Suffix of the minutes a week.</extracomment>
        <translation> min</translation>
    </message>
    <message>
        <source> 日</source>
        <extracomment>Suffix of the days without practice.</extracomment>
        <translation> days</translation>
    </message>
    <message>
        <source>%1（%2）</source>
        <extracomment>A target&apos;s field as a screen reader names it: %1 the target, %2 the Course.</extracomment>
        <translation>%1 (%2)</translation>
    </message>
    <message>
        <source>練習時間の目標は練習の記録(履歴)があるときに使われます。</source>
        <translation>The practice time target is used where there is a practice history.</translation>
    </message>
    <message>
        <source>初期値に戻す(&amp;D)</source>
        <translation>Restore &amp;defaults</translation>
    </message>
    <message>
        <source>すべての目標を初めの値に戻します。OK を押すまで保存されません。</source>
        <translation>Sets every target back to its first value; nothing is kept before OK.</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>キャンセル</source>
        <translation>Cancel</translation>
    </message>
</context>
<context>
    <name>qel::frmWeeks</name>
    <message>
        <source>今週と先週</source>
        <extracomment>The view&apos;s name: the print job&apos;s and the CSV file&apos;s suggested name.</extracomment>
        <translation>This week and last</translation>
    </message>
    <message>
        <source>今週 %1～%2（%3まで）&#x3000;先週 %4～%5</source>
        <extracomment>%1 this week&apos;s Monday, %2 its Sunday, %3 today, %4 and %5 last week&apos;s Monday and Sunday.</extracomment>
        <translation>This week %1 to %2 (up to %3)   Last week %4 to %5</translation>
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
        <source>%1：%2</source>
        <extracomment>%1 this week or last week, %2 why there are no figures.</extracomment>
        <translation>%1: %2</translation>
    </message>
    <message numerus="yes">
        <source>%1：%n回 %2分 STEP増 %3、練習した人 %4/%5人</source>
        <extracomment>The group&apos;s week: %1 this week or last week, %n runs, %2 minutes, %3 STEPs gained, %4 of %5 learners practised.</extracomment>
        <translation>
            <numerusform>%1: %n run, %2 min, %3 STEPs gained, %4 of %5 learners practised</numerusform>
            <numerusform>%1: %n runs, %2 min, %3 STEPs gained, %4 of %5 learners practised</numerusform>
        </translation>
    </message>
    <message>
        <source>（%1）</source>
        <extracomment>A note after the group&apos;s week.</extracomment>
        <translation> (%1)</translation>
    </message>
    <message>
        <source>今週と先週 - %1</source>
        <extracomment>Title of the view of this week and last week; %1 the group.</extracomment>
        <translation>This Week and Last - %1</translation>
    </message>
    <message>
        <source>%1&#x3000;%2</source>
        <extracomment>The group&apos;s figures of a week: %1 the group, %2 its figures.</extracomment>
        <translation>%1  %2</translation>
    </message>
    <message>
        <source>学習者ごとの今週と先週</source>
        <translation>This week and last per learner</translation>
    </message>
    <message>
        <source>学習者ごとに、今週と先週の練習回数、練習時間、STEP増を示します。見出しを押すと並べ替えます。</source>
        <translation>Each learner&apos;s runs, practice time and STEPs gained this week and last. Click a heading to sort.</translation>
    </message>
    <message>
        <source>CSV出力(&amp;V)</source>
        <extracomment>Buttons: save the table as a CSV file, print it, and show the printout first.</extracomment>
        <translation>Save as CS&amp;V</translation>
    </message>
    <message>
        <source>印刷(&amp;P)</source>
        <translation>&amp;Print</translation>
    </message>
    <message>
        <source>印刷プレビュー(&amp;R)</source>
        <translation>Print P&amp;review</translation>
    </message>
    <message>
        <source>閉じる</source>
        <translation>Close</translation>
    </message>
    <message>
        <source>この表をCSVファイルに書き出します。</source>
        <translation>Saves this table as a CSV file.</translation>
    </message>
    <message>
        <source>この表を1ページに印刷します。</source>
        <translation>Prints this table on one page.</translation>
    </message>
    <message>
        <source>印刷する前にページを画面で確かめます。</source>
        <translation>Shows the page on the screen before printing it.</translation>
    </message>
    <message>
        <source>出力先を指定して下さい。</source>
        <extracomment>Title of the save dialog of the CSV file.</extracomment>
        <translation>Choose where to save the file.</translation>
    </message>
    <message>
        <source>CSVファイル (*.csv);;すべてのファイル (*.*)</source>
        <extracomment>File types of the save dialog.</extracomment>
        <translation>CSV files (*.csv);;All files (*.*)</translation>
    </message>
    <message>
        <source>CSV出力に失敗しました。
%1</source>
        <extracomment>%1 the reason the system gives.</extracomment>
        <translation>The CSV file could not be written.
%1</translation>
    </message>
</context>
</TS>
