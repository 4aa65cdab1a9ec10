<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_US" sourcelanguage="ja">
<context>
    <name>Attention</name>
    <message numerus="yes">
        <source>%n日練習なし</source>
        <translation>
            <numerusform>No practice for %n day</numerusform>
            <numerusform>No practice for %n days</numerusform>
        </translation>
    </message>
    <message>
        <source>今日は未練習</source>
        <translation>Not practised today</translation>
    </message>
    <message>
        <source>目標未達</source>
        <translation>Below target</translation>
    </message>
    <message>
        <source>伸び悩み</source>
        <translation>Not improving</translation>
    </message>
    <message>
        <source>練習中</source>
        <translation>Practising</translation>
    </message>
    <message>
        <source>目標達成</source>
        <translation>On target</translation>
    </message>
    <message>
        <source>読み込めません</source>
        <extracomment>A row whose record file could not be read.</extracomment>
        <translation>Cannot be read</translation>
    </message>
    <message>
        <source>未練習</source>
        <extracomment>A learner without any runs.</extracomment>
        <translation>No practice yet</translation>
    </message>
    <message>
        <source>SPM %1 (目標 %2)</source>
        <extracomment>%1: mean SPM of the newest runs, %2: the target.</extracomment>
        <translation>SPM %1 (target %2)</translation>
    </message>
    <message>
        <source>ミスタイプ率 %1% (目標 %2%)</source>
        <extracomment>%1: mean mistype rate of the newest runs, %2: the target, both in percent.</extracomment>
        <translation>Mistypes %1% (target %2%)</translation>
    </message>
    <message>
        <source>今週 %1分 (目標 %2分)</source>
        <extracomment>%1: minutes practised this week, %2: the target.</extracomment>
        <translation>This week %1 min (target %2 min)</translation>
    </message>
    <message>
        <source>上達度 %1 (直近%2回)</source>
        <extracomment>%1: progress rate (SPM gained per run) of the newest %2 runs.</extracomment>
        <translation>Progress %1 (last %2 runs)</translation>
    </message>
    <message>
        <source>2週間STEPの上昇なし</source>
        <translation>No new STEP in two weeks</translation>
    </message>
    <message>
        <source>、</source>
        <extracomment>The reasons of a row, one after another.</extracomment>
        <translation>; </translation>
    </message>
    <message>
        <source>STEP %1  SPM %2  ミス %3</source>
        <extracomment>A tile&apos;s figures: passed STEP, mean SPM and mistype rate of the newest runs.</extracomment>
        <translation>STEP %1  SPM %2  Mistypes %3</translation>
    </message>
</context>
<context>
    <name>GroupStatistics</name>
    <message>
        <source>練習人数</source>
        <extracomment>Rows of the group statistics: learners, mean, highest and lowest passed STEP and run count.</extracomment>
        <translation>Learners</translation>
    </message>
    <message>
        <source>平均STEP</source>
        <translation>Mean STEP</translation>
    </message>
    <message>
        <source>平均練習回数</source>
        <translation>Mean runs</translation>
    </message>
    <message>
        <source>最高STEP</source>
        <translation>Highest STEP</translation>
    </message>
    <message>
        <source>最低STEP</source>
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
</context>
<context>
    <name>LearnerSettings</name>
    <message>
        <source>個別設定なし</source>
        <extracomment>A setting the learner&apos;s settings file does not set, so the trainer&apos;s default applies.</extracomment>
        <translation>Not set</translation>
    </message>
    <message>
        <source>非表示</source>
        <translation>Hidden</translation>
    </message>
    <message>
        <source>表示</source>
        <translation>Shown</translation>
    </message>
    <message>
        <source>固定モード</source>
        <extracomment>Kana conversion mode of the trainer.</extracomment>
        <translation>Fixed mode</translation>
    </message>
    <message>
        <source>フリーモード</source>
        <extracomment>Kana conversion mode of the trainer.</extracomment>
        <translation>Free mode</translation>
    </message>
    <message>
        <source>現ステップクリアスピード</source>
        <extracomment>Speed guide of the trainer: the speed that passes the current STEP.</extracomment>
        <translation>Speed to pass this STEP</translation>
    </message>
    <message>
        <source>実用スピードを体験</source>
        <extracomment>Speed guide of the trainer: a speed used in practice.</extracomment>
        <translation>Practical speed</translation>
    </message>
    <message>
        <source>プロフェッショナルスピード</source>
        <extracomment>Speed guide of the trainer: a professional typist&apos;s speed.</extracomment>
        <translation>Professional speed</translation>
    </message>
    <message>
        <source>速度一定(ステップ%1相当)</source>
        <extracomment>Speed guide of the trainer: one speed throughout, %1 the STEP whose speed it is.</extracomment>
        <translation>Constant speed (as STEP %1)</translation>
    </message>
    <message>
        <source>速度一定</source>
        <extracomment>Speed guide of the trainer: one speed throughout.</extracomment>
        <translation>Constant speed</translation>
    </message>
    <message>
        <source>非表示%1</source>
        <extracomment>The speed guide is hidden; %1 is the kind of guide.</extracomment>
        <translation>Hidden: %1</translation>
    </message>
    <message>
        <source>表示： %1</source>
        <extracomment>The speed guide is shown; %1 is the kind of guide.</extracomment>
        <translation>Shown: %1</translation>
    </message>
</context>
<context>
    <name>LearnerSummary</name>
    <message>
        <source>英文</source>
        <extracomment>The English typing course, in the list&apos;s Mode column.</extracomment>
        <translation>English</translation>
    </message>
    <message>
        <source>かな/ﾛｰﾏ</source>
        <extracomment>The course that types Japanese in kana or romaji, in the list&apos;s Mode column (short).</extracomment>
        <translation>Kana/Romaji</translation>
    </message>
    <message>
        <source>未練習</source>
        <extracomment>Last practice of a learner who has no runs yet.</extracomment>
        <translation>No practice yet</translation>
    </message>
</context>
<context>
    <name>LearnerTable</name>
    <message>
        <source>英文</source>
        <extracomment>The group of the learners of the English course (tree root, headings).</extracomment>
        <translation>English</translation>
    </message>
    <message>
        <source>かな/ローマ</source>
        <extracomment>The group of the learners of the kana/romaji course (tree root, headings).</extracomment>
        <translation>Kana/Romaji</translation>
    </message>
    <message>
        <source>全体</source>
        <extracomment>The group of all learners (tree root, headings).</extracomment>
        <translation>All learners</translation>
    </message>
    <message numerus="yes">
        <source>%n個の成績データファイル</source>
        <extracomment>Status bar: how many record files the list holds.</extracomment>
        <translation>
            <numerusform>%n record file</numerusform>
            <numerusform>%n record files</numerusform>
        </translation>
    </message>
    <message>
        <source>各カラムをクリックするとその項目でソートされます。</source>
        <extracomment>Title above the learner list.</extracomment>
        <translation>Click a column heading to sort the list by it.</translation>
    </message>
</context>
</TS>
