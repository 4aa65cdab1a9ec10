<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_US" sourcelanguage="ja">
<context>
    <name>GraphData</name>
    <message>
        <source>記録ファイルを読めませんでした。</source>
        <extracomment>In place of a learner&apos;s graph data: the record file could not be read.</extracomment>
        <translation>The record file could not be read.</translation>
    </message>
    <message>
        <source>%1～%2</source>
        <extracomment>A range in a graph&apos;s data: from %1 to %2 (runs, STEPs or practice counts).</extracomment>
        <translation>%1–%2</translation>
    </message>
    <message>
        <source>回数が２回目からグラフ表示されます。</source>
        <extracomment>In place of the practice graph&apos;s data for fewer than two runs.</extracomment>
        <translation>The graph is drawn from the second run on.</translation>
    </message>
    <message>
        <source>練習回数が多すぎるため、回ごとの値はありません。</source>
        <extracomment>A damaged record file claims more runs than the viewer keeps; the graph draws none.</extracomment>
        <translation>Too many runs: there are no values per run.</translation>
    </message>
    <message>
        <source>傾向線： 1回目 %1 SPM、%2回目 %3 SPM</source>
        <extracomment>The trend line of the practice graph: fitted SPM %1 at run 1 and %3 at the last run, %2.</extracomment>
        <translation>Trend line: run 1 %1 SPM, run %2 %3 SPM</translation>
    </message>
    <message>
        <source>STEPの記録はありません。</source>
        <extracomment>In place of the practice time graph&apos;s data of a learner at no STEP yet.</extracomment>
        <translation>No STEP recorded yet.</translation>
    </message>
    <message>
        <source>このグループには練習者がいません。</source>
        <extracomment>In place of a statistics graph&apos;s data of a group without learners.</extracomment>
        <translation>This group has no learners.</translation>
    </message>
    <message>
        <source>%1以上</source>
        <extracomment>The top range of a statistics graph&apos;s table: %1 and more.</extracomment>
        <translation>%1+</translation>
    </message>
    <message>
        <source>回数</source>
        <extracomment>Column titles of the practice graph&apos;s data: the run, its strokes per minute, its mistype rate.</extracomment>
        <translation>Run</translation>
    </message>
    <message>
        <source>SPM</source>
        <translation>SPM</translation>
    </message>
    <message>
        <source>ミスタイプ率(%)</source>
        <translation>Mistypes (%)</translation>
    </message>
    <message>
        <source>STEP</source>
        <extracomment>Column titles of the practice time graph&apos;s data: the STEP, the time practised at it.
----------
Column title of a statistics graph&apos;s data: the range of passed STEPs, or of practice counts.</extracomment>
        <translation>STEP</translation>
    </message>
    <message>
        <source>練習時間</source>
        <translation>Practice time</translation>
    </message>
    <message>
        <source>人数</source>
        <extracomment>Column title of a statistics graph&apos;s data: the number of learners in a range.</extracomment>
        <translation>Learners</translation>
    </message>
    <message>
        <source>練習回数</source>
        <translation>Runs</translation>
    </message>
</context>
<context>
    <name>GroupGraph</name>
    <message numerus="yes">
        <source>%n人 平均： %1 STEP</source>
        <extracomment>Status bar of the STEP statistics graph: %n learners, %1 their mean passed STEP.</extracomment>
        <translation>
            <numerusform>%n learner, mean: STEP %1</numerusform>
            <numerusform>%n learners, mean: STEP %1</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n人、 平均： %1 回</source>
        <extracomment>Status bar of the run-count statistics graph: %n learners, %1 their mean number of runs.</extracomment>
        <translation>
            <numerusform>%n learner, mean: %1 runs</numerusform>
            <numerusform>%n learners, mean: %1 runs</numerusform>
        </translation>
    </message>
    <message>
        <source>%1人</source>
        <extracomment>Above a bar: %1 the number of learners (padded with blanks, keep them in front).</extracomment>
        <translation>%1</translation>
    </message>
    <message>
        <source>%1の練習者のSTEP統計グラフです。</source>
        <extracomment>Heading of a statistics graph; %1 the group (&quot;全体&quot;, &quot;英文&quot;, &quot;かな/ローマ&quot;).</extracomment>
        <translation>STEP statistics of the learners: %1</translation>
    </message>
    <message>
        <source>%1の練習者の練習回数統計グラフです。</source>
        <translation>Run statistics of the learners: %1</translation>
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
        <source>STEP</source>
        <extracomment>Caption of the horizontal axis: passed STEP.</extracomment>
        <translation>STEP</translation>
    </message>
    <message>
        <source>練習回数</source>
        <translation>Runs</translation>
    </message>
    <message>
        <source>人</source>
        <extracomment>Caption of the vertical axis: number of learners.</extracomment>
        <translation>Learners</translation>
    </message>
</context>
<context>
    <name>PersonalGraph</name>
    <message>
        <source>%1さんの %2 練習記録グラフです。</source>
        <extracomment>Heading of the practice graph: %1 the learner&apos;s name, %2 the course.</extracomment>
        <translation>Practice graph of %1, %2</translation>
    </message>
    <message>
        <source>%1さんの %2 練習時間グラフです。</source>
        <extracomment>Heading of the practice time graph: %1 the learner&apos;s name, %2 the course.</extracomment>
        <translation>Practice time graph of %1, %2</translation>
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
        <source>練習回数</source>
        <extracomment>Caption of the horizontal axis: the runs, first to last.</extracomment>
        <translation>Runs</translation>
    </message>
    <message>
        <source>回数が２回目からグラフ表示されます。</source>
        <extracomment>In place of the practice graph of a learner with fewer than two runs.</extracomment>
        <translation>The graph is drawn from the second run on.</translation>
    </message>
    <message>
        <source>STEP毎 練習時間</source>
        <extracomment>Caption of the horizontal axis of the time graph: practice time per STEP.</extracomment>
        <translation>Practice time per STEP</translation>
    </message>
</context>
<context>
    <name>PracticeBars</name>
    <message>
        <source>未観測</source>
        <extracomment>Legend of the grey band: days the viewer did not watch the folder.</extracomment>
        <translation>Not observed</translation>
    </message>
    <message>
        <source>前の日の分を含む</source>
        <extracomment>Legend of a hatched bar: it may hold runs of earlier days no one watched.</extracomment>
        <translation>May include earlier days</translation>
    </message>
</context>
<context>
    <name>Scales</name>
    <message>
        <source>分</source>
        <translation>Minutes</translation>
    </message>
    <message>
        <source>時間</source>
        <translation>Hours</translation>
    </message>
</context>
</TS>
