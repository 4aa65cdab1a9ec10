<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_US" sourcelanguage="ja">
<context>
    <name>Asker</name>
    <message>
        <source>キャンセル</source>
        <translation>Cancel</translation>
    </message>
</context>
<context>
    <name>PrintPreview</name>
    <message>
        <source>印刷できませんでした。</source>
        <translation>Nothing was printed.</translation>
    </message>
    <message>
        <source>印刷プレビュー</source>
        <translation>Print Preview</translation>
    </message>
    <message>
        <source>次のページ</source>
        <translation>Next page</translation>
    </message>
    <message>
        <source>前のページ</source>
        <translation>Previous page</translation>
    </message>
    <message>
        <source>最初のページ</source>
        <translation>First page</translation>
    </message>
    <message>
        <source>最後のページ</source>
        <translation>Last page</translation>
    </message>
    <message>
        <source>幅に合わせる</source>
        <translation>Fit width</translation>
    </message>
    <message>
        <source>ページ全体</source>
        <translation>Fit page</translation>
    </message>
    <message>
        <source>拡大</source>
        <translation>Zoom in</translation>
    </message>
    <message>
        <source>縮小</source>
        <translation>Zoom out</translation>
    </message>
    <message>
        <source>1ページ表示</source>
        <translation>One page</translation>
    </message>
    <message>
        <source>見開き表示</source>
        <translation>Facing pages</translation>
    </message>
    <message>
        <source>全ページ表示</source>
        <translation>All pages</translation>
    </message>
    <message>
        <source>印刷</source>
        <translation>Print</translation>
    </message>
</context>
<context>
    <name>QPrintPreviewDialog</name>
    <message>
        <source>Print</source>
        <translation>Print</translation>
    </message>
</context>
<context>
    <name>qel::NameMask</name>
    <message>
        <source>学習者 %1</source>
        <extracomment>What stands for a learner&apos;s name on the projector and in outputs: %1 is the learner&apos;s number.</extracomment>
        <translation>Learner %1</translation>
    </message>
</context>
</TS>
