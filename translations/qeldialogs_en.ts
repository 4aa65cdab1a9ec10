<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_US" sourcelanguage="ja">
<context>
    <name>HistoryViews</name>
    <message>
        <source>、</source>
        <extracomment>Between the names of the learners in the question of tidying the history.</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message numerus="yes">
        <source> ほか%n人</source>
        <extracomment>After the first ten names: %n more learners.</extracomment>
        <translation type="unfinished">
            <numerusform></numerusform>
            <numerusform></numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>記録ファイルの残っていない%n人の練習の記録を削除しますか？
%1</source>
        <extracomment>%n learners whose record files are gone; the names follow on the next line (%1).</extracomment>
        <translation type="unfinished">
            <numerusform></numerusform>
            <numerusform></numerusform>
        </translation>
    </message>
    <message>
        <source>削除できる練習の記録はありません。</source>
        <translation type="unfinished"></translation>
    </message>
    <message numerus="yes">
        <source>%n人の練習の記録を削除しました。</source>
        <translation type="unfinished">
            <numerusform></numerusform>
            <numerusform></numerusform>
        </translation>
    </message>
    <message>
        <source>練習の記録を整理できませんでした。記録フォルダか練習の記録のデータベースを読めません。</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>qel::About</name>
    <message>
        <source>OK</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>製作者のホームページ</source>
        <extracomment>The link under the version, to the maker&apos;s web page.</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>ブラウザで %1 を開きます。</source>
        <extracomment>%1 is the address of the maker&apos;s web page.</extracomment>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>qel::WeekTableModel</name>
    <message>
        <source>名前</source>
        <extracomment>Columns of the table of this week and last week: the learner, the Course, this week&apos;s runs, minutes and STEPs gained, the same for last week, and a note.</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>モード</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>今週
回数</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>今週
時間(分)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>今週
STEP増</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>先週
回数</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>先週
時間(分)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>先週
STEP増</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>備考</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>qel::frmHistory</name>
    <message>
        <source>%1（%2）の練習の記録</source>
        <extracomment>Heading of a learner&apos;s practice record: %1 the learner, %2 the Course.</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>練習の記録</source>
        <extracomment>Title of the view of a learner&apos;s practice over days or weeks.</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>日ごと(&amp;D)</source>
        <extracomment>Choices of the practice record: one row and bar per day, ...</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>週ごと(&amp;W)</source>
        <extracomment>... or per week; ...</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>練習回数(&amp;N)</source>
        <extracomment>... the bars show the runs ...</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>練習時間(&amp;T)</source>
        <extracomment>... or the minutes practised.</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>1日ごとに数えます。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>月曜日から日曜日までの1週間ごとに数えます。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>グラフに練習回数を示します。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>グラフに練習時間を分で示します。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>練習のグラフ</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>期間ごとの練習</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>新しい期間から順に、練習回数、練習時間、平均SPM、ミスタイプ率、到達STEPを示します。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>まだ記録がありません。ビューアがこの記録フォルダを読むたびに記録されます。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>閉じる</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>練習時間(分)</source>
        <extracomment>Captions of the bar graph: minutes practised, or runs.</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>練習回数</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>qel::frmMprop</name>
    <message>
        <source>全体のプロパティ</source>
        <extracomment>Title of the group properties dialog: the statistics of all learners and of each Course.</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>全体</source>
        <extracomment>Column of the statistics of all learners.</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>英文練習</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>かな／ローマ練習</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1（%2）</source>
        <extracomment>A figure as a screen reader names it: %1 the figure, %2 the group&apos;s column.</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>集計しています。</source>
        <extracomment>Shown while the figures of the three groups are being gathered.</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>印刷</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>この集計を全体レポートとして印刷します。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>OK</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>qel::frmOutputNames</name>
    <message>
        <source>名前の出力</source>
        <extracomment>Title of the question which names go on the class board&apos;s printout or CSV file.</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>出力する名前を選んでください。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>名前(&amp;N)</source>
        <extracomment>The learners&apos; own names, ...</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>番号 (学習者 12 など)(&amp;U)</source>
        <extracomment>... or the numbers the window shows while it hides the names.</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>学習者の名前をそのまま出力します。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>画面と同じ番号を出力し、名前は出しません。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>OK</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>キャンセル</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>qel::frmPropaty</name>
    <message>
        <source>個人のプロパティ</source>
        <extracomment>Title of the personal properties dialog.</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>利用者</source>
        <extracomment>Caption of the learner&apos;s name.</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>英文練習</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>かな／ローマ練習</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>合格済ステップ</source>
        <extracomment>Captions of a learner&apos;s figures, one row each: the highest STEP passed, ...</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>練習回数</source>
        <extracomment>... the number of practice runs, ...</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>総練習時間</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>上達度</source>
        <extracomment>... the progress rate (strokes per minute gained per run), ...</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>最高SPM</source>
        <extracomment>... the best strokes per minute, ...</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>最終練習日</source>
        <extracomment>... the date of the last run.</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1（%2）</source>
        <extracomment>A figure as a screen reader names it: %1 the figure, %2 the Course&apos;s practice.</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>テキスト</source>
        <extracomment>Captions of the learner&apos;s own trainer settings: the practice text, ...</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>変換モード</source>
        <extracomment>... the kana conversion mode, ...</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>スピードガイド</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>キーボード</source>
        <extracomment>... whether the on-screen keyboard shows, ...</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>漢字</source>
        <extracomment>... whether kanji show, ...</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>カーソル</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>経過時間</source>
        <extracomment>... whether the elapsed time shows.</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>ミスタイプ</source>
        <extracomment>Setting beside the keyboard: whether the keyboard marks a mistyped key.</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>読み仮名</source>
        <extracomment>Setting beside the kanji: whether the reading shows over kanji.</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>印刷</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>この学習者の個人レポートを印刷して閉じます。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>OK</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>qel::frmSearch</name>
    <message>
        <source>検索</source>
        <extracomment>Title of the find dialog.</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>検索する名前</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>学習者の名前を入れて OK を押すと、一覧でその学習者の行を選びます。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>OK</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>キャンセル</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>検索名が見つかりません。</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>qel::frmSplash</name>
    <message>
        <source>タイピング練習記録ビューア</source>
        <extracomment>Under the program&apos;s name on the start-up picture.</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>記録フォルダを読んでいます</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>qel::frmTargets</name>
    <message>
        <source>目標の設定</source>
        <extracomment>Title of the dialog of the class board&apos;s targets.</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>英文</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>かな/ローマ</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>SPM (直近10回の平均がこれ以上)</source>
        <extracomment>A learner falls short when the mean SPM of the last ten runs is below this.</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>ミスタイプ率 (直近10回の平均がこれ以下)</source>
        <extracomment>A learner falls short when the mean mistype rate of the last ten runs is above this.</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>1週間の練習時間 (これ以上)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>練習なしの日数 (これを超えると知らせる)</source>
        <extracomment>The board tells of a learner who has not practised for more days than this.</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> 分</source>
        <extracomment>Suffix of the minutes a week.</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> 日</source>
        <extracomment>Suffix of the days without practice.</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1（%2）</source>
        <extracomment>A target&apos;s field as a screen reader names it: %1 the target, %2 the Course.</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>練習時間の目標は練習の記録(履歴)があるときに使われます。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>初期値に戻す(&amp;D)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>すべての目標を初めの値に戻します。OK を押すまで保存されません。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>OK</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>キャンセル</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>qel::frmWeeks</name>
    <message>
        <source>今週と先週</source>
        <extracomment>The view&apos;s name: the print job&apos;s and the CSV file&apos;s suggested name.</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>今週 %1～%2（%3まで）&#x3000;先週 %4～%5</source>
        <extracomment>%1 this week&apos;s Monday, %2 its Sunday, %3 today, %4 and %5 last week&apos;s Monday and Sunday.</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>今週</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>先週</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1：%2</source>
        <extracomment>%1 this week or last week, %2 why there are no figures.</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message numerus="yes">
        <source>%1：%n回 %2分 STEP増 %3、練習した人 %4/%5人</source>
        <extracomment>The group&apos;s week: %1 this week or last week, %n runs, %2 minutes, %3 STEPs gained, %4 of %5 learners practised.</extracomment>
        <translation type="unfinished">
            <numerusform></numerusform>
            <numerusform></numerusform>
        </translation>
    </message>
    <message>
        <source>（%1）</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>今週と先週 - %1</source>
        <extracomment>Title of the view of this week and last week; %1 the group.</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1&#x3000;%2</source>
        <extracomment>The group&apos;s figures of a week: %1 the group, %2 its figures.</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>学習者ごとの今週と先週</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>学習者ごとに、今週と先週の練習回数、練習時間、STEP増を示します。見出しを押すと並べ替えます。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>CSV出力(&amp;V)</source>
        <extracomment>Buttons: save the table as a CSV file, print it, and show the printout first.</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>印刷(&amp;P)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>印刷プレビュー(&amp;R)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>閉じる</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>この表をCSVファイルに書き出します。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>この表を1ページに印刷します。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>印刷する前にページを画面で確かめます。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>出力先を指定して下さい。</source>
        <extracomment>Title of the save dialog of the CSV file.</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>CSVファイル (*.csv);;すべてのファイル (*.*)</source>
        <extracomment>File types of the save dialog.</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>CSV出力に失敗しました。
%1</source>
        <extracomment>%1 the reason the system gives.</extracomment>
        <translation type="unfinished"></translation>
    </message>
</context>
</TS>
