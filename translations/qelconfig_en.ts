<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_US" sourcelanguage="ja">
<context>
    <name>RegistryStore</name>
    <message>
        <source>%1レジストリのセットに失敗しました。</source>
        <extracomment>%1: the settings key and value that could not be written.</extracomment>
        <translation>Could not save the setting %1.</translation>
    </message>
    <message>
        <source>%1 %2レジストリの作成に失敗しました。</source>
        <extracomment>%1: the error code, %2: the settings key that could not be made.</extracomment>
        <translation>Could not create the settings key %2 (error %1).</translation>
    </message>
</context>
<context>
    <name>ViewerSettings</name>
    <message>
        <source>設定ファイルを読み込めなかったため、初期設定で起動します。
元のファイルは次の名前で残しました。
%1</source>
        <extracomment>%1: the name the settings file that could not be read was given.</extracomment>
        <translation>The settings file could not be read, so the viewer starts with its default settings.
The old file was kept under this name:
%1</translation>
    </message>
</context>
</TS>
