<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_US" sourcelanguage="ja">
<context>
    <name>ClassBoardOutput</name>
    <message>
        <source>クラスの様子</source>
        <extracomment>Name of the printed class board (print queue, preview) and of its CSV file.</extracomment>
        <translation>The class today</translation>
    </message>
    <message>
        <source>出力先を指定して下さい。</source>
        <extracomment>Title of the save dialog of a CSV export.</extracomment>
        <translation>Choose where to save</translation>
    </message>
    <message>
        <source>CSVファイル (*.csv);;すべてのファイル (*.*)</source>
        <extracomment>File types of the save dialog; keep the patterns.</extracomment>
        <translation>CSV files (*.csv);;All files (*.*)</translation>
    </message>
    <message>
        <source>CSV出力に失敗しました。
%1</source>
        <translation>The CSV export failed.
%1</translation>
    </message>
    <message>
        <source>目標を保存できませんでした。
%1</source>
        <translation>The targets could not be saved.
%1</translation>
    </message>
</context>
<context>
    <name>FileCommands</name>
    <message>
        <source>ごみ箱が使えないため、ファイルは完全に削除され、元に戻せません。削除してよろしいですか？

%1</source>
        <extracomment>%1 the system&apos;s reason why the trash cannot be used.</extracomment>
        <translation>There is no trash to move the files to: they will be deleted for good and cannot be brought back. Delete them?

%1</translation>
    </message>
    <message>
        <source>次のファイルを削除できませんでした。
</source>
        <translation>These files could not be deleted:
</translation>
    </message>
    <message numerus="yes">
        <source>ほか%n個のファイル</source>
        <extracomment>After the files named: the number of the others.</extracomment>
        <translation>
            <numerusform>and %n more file</numerusform>
            <numerusform>and %n more files</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>OutputCommands</name>
    <message>
        <source>個人プロパティ</source>
        <extracomment>Name of the printed personal report (print queue, preview).</extracomment>
        <translation>Personal properties</translation>
    </message>
    <message>
        <source>全体プロパティ</source>
        <extracomment>Name of the printed group report (print queue, preview).</extracomment>
        <translation>Group properties</translation>
    </message>
    <message>
        <source>出力先を指定して下さい。</source>
        <extracomment>Title of the save dialog of a CSV export.</extracomment>
        <translation>Choose where to save</translation>
    </message>
    <message>
        <source>CSVファイル (*.csv);;すべてのファイル (*.*)</source>
        <extracomment>File types of the save dialog; keep the patterns.</extracomment>
        <translation>CSV files (*.csv);;All files (*.*)</translation>
    </message>
    <message>
        <source>CSV出力に失敗しました。
%1</source>
        <translation>The CSV export failed.
%1</translation>
    </message>
</context>
<context>
    <name>frmMainControls</name>
    <message>
        <source> ﾘｽﾄ ﾋﾞｭｰ:</source>
        <translation> List View:</translation>
    </message>
    <message>
        <source>練習記録保存フォルダ変更</source>
        <translation>Change the record folder</translation>
    </message>
    <message>
        <source>ユーザ検索</source>
        <translation>Find a learner</translation>
    </message>
    <message>
        <source>削除</source>
        <translation>Delete</translation>
    </message>
    <message>
        <source>一覧表示</source>
        <translation>All learners</translation>
    </message>
    <message>
        <source>英文練習者表示</source>
        <translation>English learners</translation>
    </message>
    <message>
        <source>かな/ﾛｰﾏ練習者表示</source>
        <translation>Kana/Romaji learners</translation>
    </message>
    <message>
        <source>個人練習グラフ</source>
        <translation>Practice graph</translation>
    </message>
    <message>
        <source>個人練習時間グラフ</source>
        <translation>Practice time graph</translation>
    </message>
    <message>
        <source>全体STEP統計</source>
        <translation>STEP statistics</translation>
    </message>
    <message>
        <source>全体練習回数統計</source>
        <translation>Practice count statistics</translation>
    </message>
    <message>
        <source>個人プロパティ</source>
        <translation>Personal properties</translation>
    </message>
    <message>
        <source>全体プロパティ</source>
        <translation>Group properties</translation>
    </message>
    <message>
        <source> ﾂﾘｰ ﾋﾞｭｰ:</source>
        <translation> Tree View:</translation>
    </message>
    <message>
        <source>ｽﾃｰﾀｽ</source>
        <translation>Status</translation>
    </message>
    <message>
        <source>ﾌｧｲﾙ(&amp;F)</source>
        <extracomment>Main menu. The keys in brackets are the Japanese style; English marks a letter of the word with &amp; instead. Keys must differ between the items of one menu.</extracomment>
        <translation>&amp;File</translation>
    </message>
    <message>
        <source>記録ファイル保存フォルダー指定(&amp;O)</source>
        <translation>&amp;Open Record Folder</translation>
    </message>
    <message>
        <source>検索(&amp;F)</source>
        <translation>&amp;Find</translation>
    </message>
    <message>
        <source>印刷(&amp;P)</source>
        <translation>&amp;Print</translation>
    </message>
    <message>
        <source>個人プロパティ(&amp;P)</source>
        <translation>&amp;Personal Properties</translation>
    </message>
    <message>
        <source>全体プロパティ(&amp;A)</source>
        <translation>&amp;Group Properties</translation>
    </message>
    <message>
        <source>個人プロパティのプレビュー(&amp;V)</source>
        <translation>Pre&amp;view Personal Properties</translation>
    </message>
    <message>
        <source>全体プロパティのプレビュー(&amp;W)</source>
        <translation>Previe&amp;w Group Properties</translation>
    </message>
    <message>
        <source>クラスの様子(&amp;C)</source>
        <extracomment>The class board: how each learner of the class is doing.</extracomment>
        <translation>&amp;Class Today</translation>
    </message>
    <message>
        <source>クラスの様子のプレビュー(&amp;R)</source>
        <translation>P&amp;review Class Today</translation>
    </message>
    <message>
        <source>CSV出力(&amp;V)</source>
        <translation>Export CS&amp;V</translation>
    </message>
    <message>
        <source>クラスの様子のCSV出力(&amp;S)</source>
        <translation>Export Class Today a&amp;s CSV</translation>
    </message>
    <message>
        <source>履歴の整理(&amp;T)...</source>
        <translation>&amp;Tidy History...</translation>
    </message>
    <message>
        <source>削除(&amp;D)</source>
        <translation>&amp;Delete</translation>
    </message>
    <message>
        <source>閉じる(&amp;C)</source>
        <translation>&amp;Close</translation>
    </message>
    <message>
        <source>編集(&amp;E)</source>
        <translation>&amp;Edit</translation>
    </message>
    <message>
        <source>すべて選択(&amp;A)</source>
        <translation>Select &amp;All</translation>
    </message>
    <message>
        <source>表示(&amp;V)</source>
        <translation>&amp;View</translation>
    </message>
    <message>
        <source>ﾂｰﾙ ﾊﾞｰ(&amp;T)</source>
        <translation>&amp;Toolbar</translation>
    </message>
    <message>
        <source>ｽﾃｰﾀｽ ﾊﾞｰ(&amp;B)</source>
        <translation>Status &amp;Bar</translation>
    </message>
    <message>
        <source>全体(&amp;A)</source>
        <comment>view mode</comment>
        <extracomment>View mode: the learners of both courses.</extracomment>
        <translation>&amp;All Learners</translation>
    </message>
    <message>
        <source>英文練習者(&amp;E)</source>
        <translation>&amp;English Learners</translation>
    </message>
    <message>
        <source>かな/ローマ練習者(&amp;R)</source>
        <translation>Kana/&amp;Romaji Learners</translation>
    </message>
    <message>
        <source>グラフ(&amp;G)</source>
        <translation>&amp;Graph</translation>
    </message>
    <message>
        <source>個人(&amp;P)</source>
        <comment>graphs</comment>
        <extracomment>Graphs of one learner.</extracomment>
        <translation>&amp;Personal</translation>
    </message>
    <message>
        <source>練習グラフ(&amp;I)</source>
        <translation>&amp;Practice Graph</translation>
    </message>
    <message>
        <source>時間グラフ(&amp;H)</source>
        <translation>&amp;Time Graph</translation>
    </message>
    <message>
        <source>全体(&amp;A)</source>
        <comment>graphs</comment>
        <extracomment>Graphs of the group shown.</extracomment>
        <translation>&amp;Group</translation>
    </message>
    <message>
        <source>STEP統計(&amp;S)</source>
        <translation>&amp;STEP Statistics</translation>
    </message>
    <message>
        <source>練習回数統計(&amp;T)</source>
        <translation>Practice &amp;Count Statistics</translation>
    </message>
    <message>
        <source>プロパティ(&amp;P)</source>
        <translation>&amp;Properties</translation>
    </message>
    <message>
        <source>個人(&amp;P)</source>
        <comment>properties</comment>
        <extracomment>Properties of one learner.</extracomment>
        <translation>&amp;Personal</translation>
    </message>
    <message>
        <source>全体(&amp;A)</source>
        <comment>properties</comment>
        <extracomment>Properties of the group shown.</extracomment>
        <translation>&amp;Group</translation>
    </message>
    <message>
        <source>ｵﾌﾟｼｮﾝ(&amp;O)...</source>
        <translation>&amp;Options...</translation>
    </message>
    <message>
        <source>練習の記録(&amp;H)</source>
        <translation>Practice &amp;History</translation>
    </message>
    <message>
        <source>今週と先週(&amp;W)</source>
        <translation>This &amp;Week and Last</translation>
    </message>
    <message>
        <source>目標の設定(&amp;M)...</source>
        <translation>&amp;Set Targets...</translation>
    </message>
    <message>
        <source>名前を隠す(&amp;N)</source>
        <translation>Hide &amp;Names</translation>
    </message>
    <message>
        <source>最新の情報に更新(&amp;U)</source>
        <translation>&amp;Update Now</translation>
    </message>
    <message>
        <source>自動更新(&amp;L)</source>
        <extracomment>Follows the record folder as it changes.</extracomment>
        <translation>Auto Re&amp;fresh</translation>
    </message>
    <message>
        <source>言語(&amp;K)</source>
        <translation>&amp;Language</translation>
    </message>
    <message>
        <source>ﾍﾙﾌﾟ(&amp;H)</source>
        <translation>&amp;Help</translation>
    </message>
    <message>
        <source>ﾊﾞｰｼﾞｮﾝ情報(&amp;A)</source>
        <translation>&amp;About QelViewer</translation>
    </message>
    <message>
        <source>ポップアップ</source>
        <extracomment>The pop-up menu of a learner.</extracomment>
        <translation>Learner</translation>
    </message>
    <message>
        <source>一覧表示へ(&amp;D)</source>
        <extracomment>Back from a graph to the list of learners.</extracomment>
        <translation>Back to the &amp;List</translation>
    </message>
    <message>
        <source>練習グラフ(&amp;U)</source>
        <translation>&amp;Practice Graph</translation>
    </message>
    <message>
        <source>練習時間グラフ(&amp;T)</source>
        <translation>Practice &amp;Time Graph</translation>
    </message>
    <message>
        <source>出力(&amp;O)</source>
        <translation>&amp;Output</translation>
    </message>
    <message>
        <source>印刷プレビュー(&amp;R)</source>
        <translation>Print P&amp;review</translation>
    </message>
    <message>
        <source>ポップアップ全体</source>
        <extracomment>The pop-up menu of a group.</extracomment>
        <translation>Group</translation>
    </message>
    <message>
        <source>STEP統計(&amp;U)</source>
        <translation>&amp;STEP Statistics</translation>
    </message>
    <message>
        <source>ツール バー</source>
        <translation>Toolbar</translation>
    </message>
    <message>
        <source>メニュー: %1</source>
        <extracomment>Description of a toolbar button: where its command is in the menus, %1 a path such as &quot;File &gt; Delete&quot;.</extracomment>
        <translation>Menu: %1</translation>
    </message>
    <message>
        <source>グループと学習者</source>
        <extracomment>The tree of the groups and their learners, left of the window.</extracomment>
        <translation>Groups and learners</translation>
    </message>
    <message>
        <source>グループを選ぶと一覧を、学習者を選ぶとグラフを右に表示します。Shift+F10でメニューを開きます。</source>
        <translation>Choose a group to list its learners on the right, a learner to show a graph. Shift+F10 opens the menu.</translation>
    </message>
    <message>
        <source>学習者の一覧</source>
        <translation>Learners</translation>
    </message>
    <message>
        <source>見出しを選ぶと並べ替えます。Shift+F10でメニューを開きます。</source>
        <translation>Choose a column title to sort by it. Shift+F10 opens the menu.</translation>
    </message>
    <message>
        <source>グラフ</source>
        <translation>Graph</translation>
    </message>
    <message>
        <source>クラスの様子</source>
        <translation>The class today</translation>
    </message>
    <message>
        <source>分割バー</source>
        <translation>Splitter</translation>
    </message>
    <message>
        <source>ステータス バー</source>
        <translation>Status bar</translation>
    </message>
    <message>
        <source>状態</source>
        <translation>State</translation>
    </message>
    <message>
        <source>日付</source>
        <translation>Date</translation>
    </message>
    <message>
        <source>時刻</source>
        <translation>Time</translation>
    </message>
    <message>
        <source>記録フォルダー</source>
        <translation>Record folder</translation>
    </message>
    <message>
        <source>右の表示</source>
        <translation>Right pane</translation>
    </message>
    <message>
        <source>データを表示(&amp;D)</source>
        <extracomment>The figures of the graph shown, as a table that can be copied.</extracomment>
        <translation>Show &amp;Data</translation>
    </message>
</context>
<context>
    <name>qel::ClassBoardModel</name>
    <message>
        <source>最終練習 %1</source>
        <extracomment>A tile&apos;s last practice: %1 its date, or that there is none.</extracomment>
        <translation>Last practice %1</translation>
    </message>
    <message>
        <source>%1、%2</source>
        <extracomment>A tile read aloud: %1 the learner&apos;s name, %2 the course.</extracomment>
        <translation>%1, %2</translation>
    </message>
    <message>
        <source>。</source>
        <extracomment>Between the sentences of a tile read aloud; its tooltip puts each on a line.</extracomment>
        <translation>. </translation>
    </message>
</context>
<context>
    <name>qel::LearnerListModel</name>
    <message>
        <source>名  前</source>
        <extracomment>Column titles of the list of learners; &quot;モード&quot; is the course.</extracomment>
        <translation>Name</translation>
    </message>
    <message>
        <source>モード</source>
        <translation>Course</translation>
    </message>
    <message>
        <source>STEP</source>
        <translation>STEP</translation>
    </message>
    <message>
        <source>練習回数</source>
        <translation>Runs</translation>
    </message>
    <message>
        <source>総練習時間</source>
        <translation>Total Time</translation>
    </message>
    <message>
        <source>上達度</source>
        <translation>Progress</translation>
    </message>
    <message>
        <source>最高SPM</source>
        <translation>Best SPM</translation>
    </message>
    <message>
        <source>最終練習日時</source>
        <translation>Last Practice</translation>
    </message>
</context>
<context>
    <name>qel::frmMain</name>
    <message>
        <source>QelViewer</source>
        <extracomment>The window&apos;s title, the program&apos;s name.</extracomment>
        <translation>QelViewer</translation>
    </message>
    <message>
        <source>学習者の番号を保存できませんでした。
%1</source>
        <translation>The learners&apos; numbers could not be saved.
%1</translation>
    </message>
    <message>
        <source>クラスの様子（%1）</source>
        <extracomment>Heading of the class board; %1 the group shown.</extracomment>
        <translation>The class today (%1)</translation>
    </message>
    <message>
        <source>%1のデータを出力しますか？</source>
        <translation>Export the data of %1?</translation>
    </message>
    <message>
        <source>選択されたユーザのデータを出力しますか？</source>
        <translation>Export the data of the selected learners?</translation>
    </message>
    <message>
        <source>練習記録ファイルが保存されているフォルダ（ディレクトリ）を選択してください。</source>
        <translation>Choose the folder that holds the practice record files.</translation>
    </message>
    <message>
        <source>選択されているユーザを削除してよろしいですか？</source>
        <translation>Delete the selected learners?</translation>
    </message>
    <message>
        <source>削除確認</source>
        <extracomment>Title of the delete confirmation.</extracomment>
        <translation>Confirm Deletion</translation>
    </message>
    <message>
        <source>削除しています… %1 / %2</source>
        <translation>Deleting… %1 / %2</translation>
    </message>
    <message>
        <source>記録フォルダーが応答しません。前回読み込んだ内容を表示しています。</source>
        <translation>The record folder is not answering. Shown is what was read last.</translation>
    </message>
    <message>
        <source>記録フォルダー「%1」が見つかりません。</source>
        <translation>The record folder &quot;%1&quot; is not found.</translation>
    </message>
    <message>
        <source>記録フォルダーを読み込めませんでした。前回読み込んだ内容を表示しています。</source>
        <translation>The record folder could not be read. Shown is what was read last.</translation>
    </message>
    <message>
        <source>%1（%2）</source>
        <translation>%1 (%2)</translation>
    </message>
    <message numerus="yes">
        <source>%1（うち%n個は読み込めませんでした）</source>
        <extracomment>%1 the file count, such as &quot;12個のファイル&quot;; %n how many of them could not be read.</extracomment>
        <translation>
            <numerusform>%1 (%n of them could not be read)</numerusform>
            <numerusform>%1 (%n of them could not be read)</numerusform>
        </translation>
    </message>
    <message>
        <source>読み込めなかったファイル:
%1</source>
        <translation>Files that could not be read:
%1</translation>
    </message>
</context>
</TS>
