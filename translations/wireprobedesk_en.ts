<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="ja">
<context>
    <name>BodyFormat</name>
    <message>
        <source>▲ %1 の構文エラー（%2 行 %3 桁目）: %4 ― ここから先は書かれたままです</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>ここから先を読み取れません</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>文字列の中に制御文字があります</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>\u の後に16進数4桁がありません</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>使えないエスケープです</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>文字列が閉じていません</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>数値として読めません</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>値がありません</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>JSON が途中で終わっています</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>キーの文字列がありません</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>「:」がありません</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>「,」か「%1」がありません</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>値の後に余分な文字があります</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>BodyText</name>
    <message>
        <source>Content-Type の charset による</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>XML 宣言の encoding による</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>応答が文字コードを示していないため、選んだ文字コード</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>選んだ文字コード</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>文字コード: %1（%2）</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>。%1は読めないため使っていません</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Content-Type の charset「%1」</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>XML 宣言の encoding「%1」</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>CommonDialog</name>
    <message>
        <source>%1 は FIFO（名前付きパイプ）です。
置き換えずに、この FIFO へ直接書き込みますか？</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 はデバイス（キャラクタ型デバイス）です。
置き換えずに、このデバイスへ直接書き込みますか？</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 はデバイス（ブロック型デバイス）です。
置き換えずに、このデバイスへ直接書き込みますか？</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 は通常のファイルではありません。
置き換えずに、直接書き込みますか？</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>CompareForm</name>
    <message>
        <source>応答の比較 - wireProbeDesk</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>毎回変わるヘッダー行を無視する：</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>値が違っても差分に数えないヘッダーの名前（コンマ区切り）。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>前の差分</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>次の差分</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>比較しています…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>差分はありません</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>差分 %1 か所</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>応答が大きいため、先頭の %1 MiB ずつだけを比べています。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>差分が多いため、途中から先は行の対応を取らずに並べています。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>差分 %1 / %2 か所</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>ContentLength</name>
    <message>
        <source>ヘッダーと本文の区切り（空行）がありません</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>本文がないため変更しません</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Transfer-Encoding があるため Content-Length を追加しません</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Content-Length: %1 を追加</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Content-Length は正しい値 (%1) です</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>（重複した %1 行を削除）</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>DetailsForm</name>
    <message>
        <source>整形</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>プロキシ</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>言語：</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>送信後に送信側を閉じる</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>要求を送信したら接続の送信側を閉じます（ハーフクローズ）。入力の終わりまで読んでから応答するサーバ向けです。TLS では使われません。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>キー: Ctrl+Enter 送信&#x3000;Ctrl+O 開く&#x3000;Ctrl+S 保存&#x3000;Ctrl+D 詳細ウィンドウ&#x3000;Ctrl+Shift+S 要求を保存&#x3000;Ctrl+H 履歴&#x3000;Ctrl+F 検索&#x3000;Esc 中止（送信中）、お知らせや詳細ウィンドウを閉じる</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>ウィンドウとメッセージの言語を選びます。次回の起動から適用されます。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>次回の起動から適用されます。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>JIS の記号を JIS の符号で送る</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Shift_JIS、EUC-JP、ISO-2022-JP で、入力メソッドが入れる 〜 ‖ − ¢ £ ¬ (U+301C など) を JIS の符号 (Shift_JIS の 0x8160 など) で送ります。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>なし</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>HTTP (CONNECT)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>SOCKS5</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>接続先にプロキシを経由して接続します。要求メッセージはトンネルの中をそのまま送られます。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>種類：</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>ホスト：</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>プロキシのホスト名または IP アドレス</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>ポート：</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>プロキシのポート番号</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>ユーザー名：</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>プロキシが認証を求めるときのユーザー名。パスワードは送信のときに尋ねます。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>接続先の名前をプロキシで解決する (socks5h)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>オフにすると、接続先の名前をこのコンピュータで解決し、アドレスをプロキシに渡します。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>パスワードを忘れる</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>パスワードは終了するまで覚えています（保存はしません）。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>パスワードは送信のときに尋ねます（保存はしません）。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>プロキシのポート番号「%1」を数値に変換できません。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>プロキシのポート番号は1から65535の範囲で指定して下さい。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>（この文字コードには関係しません）</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>JIS の符号で送る記号: %1 文字</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>JIS の符号で送る記号: なし</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>詳細 - wireProbeDesk</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>概要</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>16進表示</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>要求</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>パスワード</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 のパスワード：</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>通信とファイルの文字コードを選びます。応答は受信したバイト列をこの文字コードで表示します。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>文字コード：</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>応答がこの大きさを超えたら受信を打ち切ります。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>応答の上限：</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>右端で折り返す</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>HTTP の応答が終わったら完了する</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Content-Length やチャンクの終端で応答の終わりが分かったら、サーバが接続を閉じるのを待たずに完了します。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>この文字コードで表示</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Content-Length を修正</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Content-Length ヘッダーを本文の送信バイト数に合わせます。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>送信前に Content-Length を自動修正する</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>読み込んだファイルの改行を CR LF に揃える</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>送信する改行：</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>参照...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>TLS を使う</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>サーバ証明書を検証する</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>CA 証明書：</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>追加で信頼する CA 証明書ファイル (PEM)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>クライアント証明書：</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>クライアント証明書ファイル (PEM または PKCS#12)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>秘密鍵：</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>クライアント証明書の秘密鍵ファイル (PEM)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>HTTP の応答は完了していました。サーバが接続を開いたままにする場合は「HTTP の応答が終わったら完了する」を選ぶと、時間切れを待たずに完了します。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>CR LF: %1&#x3000;LF のみ: %2&#x3000;CR のみ: %3（%4）</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>ExchangeEngine</name>
    <message>
        <source>パスワードの入力が取り消されたため、%1 を使えません。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>応答メッセージが上限の %1 を超えたため、受信を打ち切りました。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>接続先サーバは応答を返さずに接続を閉じました。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1秒以内に TLS のハンドシェイクが終わりませんでした。接続先サーバは TLS を使っていない可能性があります。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>サーバ証明書は検証されていません。検証していれば次の理由で失敗していました:</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>ExchangeReport</name>
    <message>
        <source>HTTP の応答が不完全です: ヘッダーの終わりの空行が届く前に接続が閉じられました。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>HTTP の応答が不完全です: 本文が Content-Length の %1 バイトより %2 バイト足りません。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>HTTP の応答が不完全です: トレーラーの終わりが届く前に接続が閉じられました。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>HTTP の応答が不完全です: チャンク形式の本文の終端チャンクが届いていません。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>プロキシ: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 バイト</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>接続先サーバのIPアドレスが指定されていません。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>接続先サーバのポート番号が指定されていません。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>要求メッセージが入力されていません。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>接続先サーバに要求メッセージを送信し、応答を待っています。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>接続先サーバから応答メッセージを受信し、操作が完了しました。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1秒間サーバからの応答がなかったため、接続を打ち切りました。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>送信した要求: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>受信した応答: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>（%1/秒）</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>  ヘッダー: %1 / 本文: %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>プロキシ: %1（接続先の名前はプロキシが解決）</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>プロキシ: %1（接続先の名前はこちらで解決）</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>名前解決: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>プロキシに接続: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>プロキシ経由で接続: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>接続: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>TLS ハンドシェイク: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>要求送信: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>最初の応答バイト: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>終了: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>応答は TLS のレコードで始まっています。TLS のポートに平文で接続した可能性があります。</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>FileFailure</name>
    <message>
        <source>メモリが足りません。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>書き込み先に読み手がいません（読み手のいない FIFO など）。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>書き込み先の読み手が読むのをやめました。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>閉じられている入出力です。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>要求メッセージが上限の %1 より大きいため、読み込みませんでした。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>ファイルまたはフォルダが見つかりません。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>アクセスが拒否されました。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>フォルダはファイルとして使えません。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>パスの途中にフォルダでないものがあります。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>ディスクの空き領域が足りません。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>ファイルが大きすぎます。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>読み取り専用のファイルシステムです。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>ファイル名が長すぎます。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>入出力エラーが発生しました。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>ファイルを処理できませんでした。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>ファイルを処理できませんでした。(%1)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>通常のファイルではないため読み込めません。</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>FindBar</name>
    <message>
        <source>検索</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>前を検索 (Shift+F3)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>次を検索 (F3)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>大文字と小文字を区別</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>16進</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>検索する値をバイトの16進数で指定します（例: 0d 0a）</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>閉じる (Esc)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 件中 %2 件目</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>検索中…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>見つかりません</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 件</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>（移動できるのは先頭の %1 件まで）</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>FramingVerdict</name>
    <message>
        <source>完全</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>不足 %1 バイト</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>不足（ヘッダーの途中まで）</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>不足（終端チャンクなし）</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>不足</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>余分 %1 バイト</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>閉じるまで</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>HexView</name>
    <message>
        <source>コピー</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>すべて選択</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>History</name>
    <message>
        <source>完了</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>タイムアウト（%1 秒）</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>中断</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>HistoryCli</name>
    <message>
        <source>履歴に番号 %1 はありません。</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>HistoryForm</name>
    <message>
        <source>履歴 - wireProbeDesk</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>検索（要求と応答の本文、宛先、要求名、結果）  Ctrl+F</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>履歴を記録する</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>オフにすると、これからのやり取りを履歴に残しません。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>要求</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>応答</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>開く</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>要求と応答を記録どおりにメインウィンドウに表示します。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>再送信</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>要求を記録どおりに表示し、すぐ送信します。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>比較</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>選んだ二つの応答を、一つだけ選んだときはその応答と応答メッセージを並べて比べます。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>ファイルに書き出す</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>要求と応答を記録どおりのバイト列で二つのファイルに書き出します。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>削除</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>選んだ履歴を削除します。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>履歴をすべて削除</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>すべての履歴を削除します。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>…（先頭の %1 文字を表示しています）</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>検索しています…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1%2 件</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1%2 件が「%3」に一致</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>この履歴は読み込めませんでした。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>すべての履歴を削除します。元に戻せません。よろしいですか？</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>HistoryListModel</name>
    <message>
        <source>日時</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>宛先</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>要求</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>結果</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>応答</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>時間</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>応答は保存の上限までしか記録されていません。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>サーバ証明書の SHA-256: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1（切り詰め）</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>HistoryStore</name>
    <message>
        <source>フォルダ %1 を作れません。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>履歴のファイル %1 は使えず、別の名前にもできません。履歴は記録されません。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>履歴のファイルはデータベースではありませんでした。%1 として残し、新しい履歴を始めました。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>履歴のファイルが壊れていました。%1 として残し、新しい履歴を始めました。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>履歴のファイル %1 は新しい版のプログラムが作ったものです。履歴は記録も表示もしません。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>履歴のファイルがほかのプログラムに長くロックされていたため、履歴を読み書きできませんでした。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>ディスクがいっぱいか書き込めないため、履歴に記録できませんでした（%1）。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>履歴のファイル %1 に書き込めません（読み取り専用）。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>履歴のファイル %1 を開けません（%2）。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>履歴の操作に失敗しました（%1）。</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>HttpBody</name>
    <message>
        <source>Content-Encoding の %1 は展開できないため、受信したまま表示します</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>本文は %1 として展開できないため、受信したまま表示します</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 を展開しました（%2 バイト → %3 バイト）</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>展開した本文が応答の上限 %1 に達したため、そこで展開を打ち切りました</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>圧縮データが途中で終わっています。展開できたところまでを表示します</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>圧縮データが %1 バイト目で壊れています。展開できたところまでを表示します</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>圧縮データの後の %1 バイトは表示しません</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>ヘッダーが終わっていないため、受信したバイト列全体を本文として扱います</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>HTTP/1.x の応答ではないため、受信したバイト列全体を本文として扱います</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>本文のない応答です</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Content-Length は %1 バイトですが、届いた本文は %2 バイトです</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>応答の後に別の応答が %1 バイト続いています（表示しません）</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Content-Length（%1 バイト）の後にも %2 バイト届いたため、接続が閉じるまでを本文とします</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>チャンクの区切りが読めないため、そこからは受信したまま続けます</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>終端チャンクが届いていません。届いたところまでを表示します</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>応答の終わりの後の %1 バイトは表示しません</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Content-Length が使えないため、接続が閉じるまでを本文とします</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>HttpFraming</name>
    <message>
        <source>1xx 応答の後がステータス行ではありません</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>ヘッダーが %1 KiB を超えても終わらないため、解析をやめました</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Content-Length が数値ではありません</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Content-Length が負の値です</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Content-Length が大きすぎます</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Content-Length が複数あり、値が食い違っています</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Transfer-Encoding があるため Content-Length は使われません</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>チャンクサイズの行が16進数として読めません</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>チャンクサイズが大きすぎます</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>チャンクのデータの後に改行がありません</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>トレーラーが %1 KiB を超えても終わらないため、解析をやめました</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>HTTP/1.x の応答ではありません（受信: %1 バイト）</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>まだ何も受信していません</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>HTTP の応答かどうか判定できるだけのデータがありません</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>ステータス行: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>中間応答 (1xx) を %1 件読み飛ばしました</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>ヘッダー: %1 バイト受信、終わりの空行は届かないまま接続が閉じられました</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>ヘッダー: %1 バイト受信、終わりの空行はまだ届いていません</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>ヘッダー: %1 バイト / 本文: %2 バイト</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>応答の終わりの後に %1 バイトの余分なデータがあります</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>本文なし（%1）</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>HEAD 要求への応答</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>ステータス %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Content-Length: %1（本文を伴わない応答のため長さは参考値）</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>一致</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>超過: %1 バイト多い</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>不足: 接続が途中で閉じられました</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>不足: 残り %1 バイト</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Content-Length: %1 / 受信した本文: %2 バイト（%3）</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>チャンク形式: 終端チャンク未受信、接続が途中で閉じられました</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>チャンク形式: 終端チャンク未受信</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>チャンク形式: 終端チャンクを受信済み</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>チャンク形式: 終端チャンクを受信済み（トレーラーの終わりは未受信）、接続が途中で閉じられました</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>チャンク形式: 終端チャンクを受信済み（トレーラーの終わりは未受信）</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>プロトコルが切り替わったため、以降は HTTP として読みません</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>長さの指定がないため、接続が閉じられるまでが本文です</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Content-Type の文字コード: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>問題: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>応答の終わりが判断できないため、接続が閉じられるまでを応答とみなします</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>MessageBox</name>
    <message>
        <source>確認</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>エラーメッセージ</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>NoticeBar</name>
    <message>
        <source>このお知らせを閉じます（Esc）。</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>PortText</name>
    <message>
        <source>ポート番号「%1」を数値に変換できません。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>ポート番号は1から65535の範囲で指定して下さい。</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>PrettyPage</name>
    <message>
        <source>整形した本文をコピー</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>受信中です。受信が終わると整形します。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>応答がありません。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>整形しています…</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>ProgressLine</name>
    <message>
        <source>受信: %1 バイト（%2/秒）</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>受信: %1 バイト</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>ProxyOption</name>
    <message>
        <source>使えないプロキシの種類です（http://、socks5://、socks5h:// が使えます）: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>プロキシの URL が正しくありません: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>プロキシのポート番号は1から65535の範囲で指定して下さい: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>環境変数 %1: %2</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>ProxySettings</name>
    <message>
        <source>プロキシ %1@%2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>プロキシが接続先への接続を断りました: %1（プロキシ %2、接続先 %3）</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>プロキシから接続先に接続できませんでした: %1（プロキシ %2、接続先 %3）</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>プロキシが認証を求めています。ユーザー名を設定して下さい: %1（プロキシ %2）</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>プロキシがユーザー名かパスワードを受け付けませんでした: %1（プロキシ %2）</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>ReadableBody</name>
    <message>
        <source>XML として整形しました（構文エラーの所まで）</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>XML として整形しました</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>JSON として整形しました（構文エラーの所まで）</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>JSON として整形しました</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>XML でも JSON でもないため、そのまま表示しています</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>本文が %1 を超えるため、先頭の %1 だけを表示しています</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>RequestContentLength</name>
    <message>
        <source>本文には %1 として正しくないバイトがあります。Content-Length は送信するバイト数です。</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>ResponseView</name>
    <message>
        <source>応答メッセージが %1 を超えるため、編集できません。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>応答メッセージを編集しています。保存すると、この内容を文字コード %1 で書き込みます（Ctrl+Z で編集を取り消せます）。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>応答メッセージ</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>選択した範囲が %1 を超えるため、コピーできません。保存をお使いください。</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>SearchPattern</name>
    <message>
        <source>「%1」は文字コード %2 で表せません</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>16進数は2桁ずつ書いて下さい（例: 0d 0a）</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>16進数として読めません: %1</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>SendOptions</name>
    <message>
        <source>終了ステータス:
  0    完了（サーバが閉じた、または --http-end で HTTP の応答が終わった）
  1    タイムアウト（届いた分は出力済み）
  2    接続の失敗（拒否、名前解決、リセット、ネットワーク、接続のタイムアウト、--limit 超過）
  3    TLS の検証、ハンドシェイク、証明書ファイルの失敗
  4    使い方または入力の誤り（ポート、要求ファイル、--request-limit 超過、不明なオプション）
  5    応答を書き込めなかった（-o のファイル、標準出力）
  6    --http-end で、HTTP の応答が終わる前にサーバが閉じた（応答が不完全）
  130, 143  SIGINT、SIGTERM で中断（届いた分は出力済み）
  141  出力先の読み手が先に読むのをやめた（| head など。メッセージなし）
</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>使い方を表示します。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>バージョンを表示します。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>応答を待つ秒数（1〜3600、既定 10）。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>応答をファイルに書き込みます（標準出力の代わりに）。届いたとおりに一時ファイルへ書き、終わりに置き換えます。FIFO やデバイスにはそのまま書き込みます。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>要求のバイト列を行の規則なしにそのまま送信します。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>要求ファイルのエンコーディング（UTF-8、Shift_JIS、EUC-JP、ISO-2022-JP、ISO-8859-1）。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>受け取る応答の上限バイト数（既定: 上限なし）。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>読み込む要求の上限バイト数（既定 1G）。超えると何も送信せずに終了します。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>TLS で接続します。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>サーバ証明書を検証しません。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>信頼する CA 証明書（PEM）を追加します。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>クライアント証明書（PEM または PKCS#12）。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>クライアント証明書の秘密鍵（PEM）。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>HTTP の応答が終わったら、サーバが閉じるのを待たずに完了します。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>要求を送信した後、送信側を閉じます（入力の終わりまで読むサーバ向け、TLS では無効）。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Content-Length を本文の送信バイト数に合わせます。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>LF のみの行末も CR LF にして送信します。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>やり取りの詳細を標準エラー出力に書きます。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>やり取りを JSON で標準エラー出力に書きます。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>プロキシを経由して接続します: http://[USER[:PASSWORD]@]HOST[:PORT] (CONNECT), socks5://... (名前はこちらで解決), socks5h://... (名前はプロキシが解決)。 ポートの既定は 1080。 パスワードがなければ端末で尋ねます。 省略時は環境変数 all_proxy / ALL_PROXY。 空の URL ではプロキシを使いません。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>プロキシを使わない接続先: * ですべて、 またはカンマ区切りのホスト名、 ドメイン、 アドレス。 省略時は環境変数 no_proxy / NO_PROXY。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>やり取りを履歴に記録します（ウィンドウと同じ履歴）。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>履歴の新しいほうから N 件（既定 20）を一覧にします: 番号、日時、宛先、要求名、結果。--json で JSON Lines。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>履歴の要求を記録どおりのバイト列で送り直します。宛先は記録のまま、または HOST PORT。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>履歴の要求と応答を DIR に ID-request.txt、ID-response.txt として書き出します。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>メッセージの言語: ja（日本語）または en（英語）。省略時は環境変数 LC_ALL、LC_MESSAGES、LANG の順に最初に設定されているもので決まり、en で始まれば英語、それ以外は日本語です。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>生の要求メッセージを TCP で送信し、サーバが接続を閉じるまでに届いた応答をそのまま出力します。
「-」で始まる引数（「-」で始まるファイル名など）は -- の後に書いて下さい（例: wireprobe-send -t 5 -- HOST PORT -request.txt）。
履歴: wireprobe-send --history [N] | --replay ID [HOST PORT] | --export ID DIR</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>接続先のホスト名または IP アドレス（IPv6 は [::1] のようにも書けます）。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>接続先のポート番号。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>要求ファイル（省略または - で標準入力）。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>使い方は wireprobe-send --help で表示されます。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>--lang には ja か en を指定して下さい: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>--history、--replay、--export は一つだけ指定して下さい。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>履歴の番号は 1 以上の整数で指定して下さい: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>余分な引数があります: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>--history の件数は 1 以上の整数で指定して下さい: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>--export には書き出すフォルダを一つ指定して下さい。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>--replay の宛先はホストとポートの二つで指定して下さい。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>--%1 は --replay とは使えません。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>接続先のホストとポートを指定して下さい。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>-o には書き込むファイルを指定して下さい。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>タイムアウトは %1 から %2 までの秒数で指定して下さい: %3</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>--limit には 1 以上のバイト数を指定して下さい（K、M、G も使えます）: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>--request-limit には 1 以上のバイト数を指定して下さい（K、M、G も使えます）: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>使えないエンコーディングです: %1（%2）</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>、</source>
        <comment>between the items of a list in a sentence</comment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>--binary と --crlf は同時に指定できません。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>--verbose と --json は同時に指定できません。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>--%1 は --tls と一緒に指定して下さい。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>--key には --cert も指定して下さい。</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>Sender</name>
    <message>
        <source>プロキシに接続しました（%1）</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>プロキシ経由で接続しました（%1）</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>シグナル %1 を受けたため、出力を打ち切りました。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>出力先が %1 秒間読み取らなかったため、打ち切りました。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>HTTP の応答は完了していました。サーバが接続を開いたままにする場合は --http-end を付けると、時間切れを待たずに完了します。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>標準入力から要求メッセージを読み込みます。終わりに Ctrl+D を押して下さい。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>標準入力</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>接続しています: %1 ポート %2（プロキシ %3 経由）</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>接続しています: %1 ポート %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>標準出力</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>接続しました（%1）</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>TLS ハンドシェイクが完了しました（%1）</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>要求メッセージを送信しました: %1 バイト（%2）</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>最初の応答バイトを受信しました（%1）</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>シグナル %1 を受けたため、接続を打ち切りました。</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>SoapFault</name>
    <message>
        <source>SOAP %1 Fault</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>SummaryLine</name>
    <message>
        <source>編集済み</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>クリックすると詳細ウィンドウの該当するページを開きます。</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>TerminalPassword</name>
    <message>
        <source>パスワードを入力する端末がないため、%1 を使えません。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 のパスワード：</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>TextCodec</name>
    <message>
        <source>応答メッセージの %1 行 %2 桁目の文字「%3」(%4) は文字コード %5 で表せません。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>要求メッセージの %1 行 %2 桁目の文字「%3」(%4) は文字コード %5 で表せません。</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>TlsSetup</name>
    <message>
        <source>サーバは TLS で応答していません（このポートは TLS なしの HTTP などではありませんか）。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>サーバがクライアント証明書を要求しています。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>サーバが送ったクライアント証明書を受け付けませんでした。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>サーバと共通の TLS のバージョンがありません。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>サーバと共通の暗号方式がありません。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>サーバは、示された条件では暗号方式などの取り決めができないとして、ハンドシェイクを打ち切りました（TLS アラート「handshake failure」）。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>サーバが TLS アラート「%1」でハンドシェイクを打ち切りました。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>TLS のハンドシェイクに失敗しました。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>自己署名の証明書です（信頼された発行者の署名がありません）</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>証明書チェーンの中に信頼されていない自己署名の証明書があります</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>証明書の有効期限が %1 に切れています</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>証明書はまだ有効ではありません（有効期間の開始は %1）</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>証明書は %1 向けで、接続先とは一致しません</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>証明書は %1 向けで、接続先 %2 とは一致しません</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>証明書の発行者「%1」が不明です（信頼された CA 証明書の中に見つかりません）</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>証明書のルート CA が信頼されていません</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>証明書は失効しています</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>サーバが証明書を送ってきませんでした</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>サーバの証明書を検証できませんでした。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>TLS のハンドシェイクに失敗しました。%1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>サブジェクト: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>発行者: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>有効期間: %1 〜 %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>別名: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>SHA-256 フィンガープリント: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>不明</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>プロトコル: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>暗号方式: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>サーバ証明書 %1:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1として指定されたのはフォルダです: %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1が見つかりません: %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1が通常のファイルではありません: %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1が大きすぎます: %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1を読み込めません: %2（%3）</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>CA 証明書ファイル</source>
        <extracomment>The subject of sentences such as &quot;The %1 was not found&quot;.</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1に PEM 形式の証明書がありません: %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>クライアント証明書</source>
        <extracomment>As in &quot;Wrong password for the %1&quot;.</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>パスワードの入力が取り消されたため、クライアント証明書ファイルを使えません: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1のパスワードが違います（または読めない形式の PKCS#12 です）: %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>クライアント証明書ファイル</source>
        <extracomment>The subject of sentences such as &quot;The %1 was not found&quot;.</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1に証明書がありません: %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1が PEM 形式でも PKCS#12 形式でもありません: %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>秘密鍵ファイル</source>
        <extracomment>The subject of sentences such as &quot;The %1 was not found&quot;.</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>クライアント証明書の秘密鍵ファイルが指定されていません: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1に PEM 形式の秘密鍵がありません: %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>パスワードの入力が取り消されたため、秘密鍵を使えません: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>秘密鍵のパスワードが違います: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1の秘密鍵を読み取れません: %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>秘密鍵がクライアント証明書と一致しません: %1 / %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>秘密鍵ファイルだけが指定され、クライアント証明書ファイルがありません: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>PKCS#12 のクライアント証明書には秘密鍵が含まれるため、秘密鍵ファイルは指定できません: %1</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>Transport</name>
    <message>
        <source>接続先サーバによって接続がリセットされました。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>ソケットが閉じられていないため接続できません。</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>main</name>
    <message>
        <source>wireprobedesk: --lang には ja か en を指定して下さい: %1</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>wireProbeDeskForm</name>
    <message>
        <source>中止しました。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>履歴</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>これまでのやり取りの履歴を表示します。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>中止</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>送信中のやり取りを中止します。届いた応答は残ります（Esc）。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>元に戻す</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>応答メッセージの編集をやめ、受信したバイト列の表示に戻します。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>要求を保存...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>本文を整形して表示</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 の履歴（%2）の要求と応答を表示しています。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>応答は保存の上限で切れています。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>要求にはこの文字コードで表せないバイトがあり、送信すると記録と違うバイト列になります。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>応答メッセージ</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>要求を書き出すファイル（応答は同じフォルダに request を response にした名前で）</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>送信した要求の Content-Length (%1) は本文のバイト数 (%2) と違います。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>要求の Content-Length (%1) は本文のバイト数 (%2) と違います。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Content-Length を修正</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>送信した要求には LF だけの改行が %1 個ありました。HTTP の行は CR LF で終わります。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>要求には LF だけの改行が %1 個あります。HTTP の行は CR LF で終わります。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>改行を CR LF に揃える</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>応答は完了していましたが、サーバが接続を開いたままでした。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>HTTP の応答の終わりで完了する</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>応答は %1 では正しく表示できません。Content-Type の文字コードは %2 です。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 で表示</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>要求メッセージをファイルに保存</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>応答メッセージは編集されていますが、文字コード %1 で読めなかったバイトが U+FFFD（�）のまま残っています。どちらを保存しますか？</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>表示どおりに保存</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>表示どおりに保存（U+FFFD は ? で書き込み）</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>受信したバイト列を保存</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>キャンセル</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 バイト</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 秒</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>受信 %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>（%1/秒）</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>証明書を検証しない</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>プロキシ %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>HTTP の終わりで完了</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>送信後に送信側を閉じる</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Content-Length 自動修正</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>読み込み時 CR LF</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>上限 %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>開く</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>要求メッセージに貼り付けるファイルを開きます。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>クリア</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>要求メッセージの入力を消去します。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>ペースト</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>クリップボードの内容を要求メッセージに貼り付けます。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>保存</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>応答メッセージをファイルに保存します。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>詳細</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>文字コード、受信バイト、通信の詳細を表示します。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>操作中のステータスを表示します。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>終了</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>wireProbeDeskを終了します。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>応答メッセージを表示します。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>要求メッセージ</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>要求メッセージを入力して下さい。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>接続先設定</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>応答時間のタイムアウト(秒)を指定して下さい。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>接続先サーバのIPアドレスを指定して下さい。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>接続先サーバのポート番号を指定して下さい。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>ﾀｲﾑｱｳﾄ(秒)：</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>ポート：</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>アドレス：</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>送信</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>要求メッセージを指定したサーバに送信します。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>接続先サーバに接続しています。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>すべてのﾌｧｲﾙ (*.*)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>要求メッセージのファイルを開く</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>応答メッセージのデータがありません。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>応答メッセージをファイルに保存</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>要求メッセージを入力して下さい。  選択した文字列の長さ：%1</source>
        <translation type="unfinished"></translation>
    </message>
</context>
</TS>
