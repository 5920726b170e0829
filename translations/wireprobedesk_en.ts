<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="ja">
<context>
    <name>BodyFormat</name>
    <message>
        <source>▲ %1 の構文エラー（%2 行 %3 桁目）: %4 ― ここから先は書かれたままです</source>
        <translation>▲ %1 syntax error (line %2, column %3): %4 ― from here on as written</translation>
    </message>
    <message>
        <source>ここから先を読み取れません</source>
        <translation>Cannot read from here on</translation>
    </message>
    <message>
        <source>文字列の中に制御文字があります</source>
        <translation>A control character inside a string</translation>
    </message>
    <message>
        <source>\u の後に16進数4桁がありません</source>
        <translation>No four hex digits after \u</translation>
    </message>
    <message>
        <source>使えないエスケープです</source>
        <translation>An escape that is not allowed</translation>
    </message>
    <message>
        <source>文字列が閉じていません</source>
        <translation>A string that is not closed</translation>
    </message>
    <message>
        <source>数値として読めません</source>
        <translation>Not readable as a number</translation>
    </message>
    <message>
        <source>値がありません</source>
        <translation>A value is missing</translation>
    </message>
    <message>
        <source>JSON が途中で終わっています</source>
        <translation>The JSON ends part-way</translation>
    </message>
    <message>
        <source>キーの文字列がありません</source>
        <translation>A key string is missing</translation>
    </message>
    <message>
        <source>「:」がありません</source>
        <translation>“:” is missing</translation>
    </message>
    <message>
        <source>「,」か「%1」がありません</source>
        <translation>“,” or “%1” is missing</translation>
    </message>
    <message>
        <source>値の後に余分な文字があります</source>
        <translation>Extra characters after the value</translation>
    </message>
</context>
<context>
    <name>BodyText</name>
    <message>
        <source>Content-Type の charset による</source>
        <translation>from the Content-Type charset</translation>
    </message>
    <message>
        <source>XML 宣言の encoding による</source>
        <translation>from the encoding of the XML declaration</translation>
    </message>
    <message>
        <source>応答が文字コードを示していないため、選んだ文字コード</source>
        <translation>the chosen encoding, as the response names none</translation>
    </message>
    <message>
        <source>選んだ文字コード</source>
        <translation>the chosen encoding</translation>
    </message>
    <message>
        <source>文字コード: %1（%2）</source>
        <translation>Encoding: %1 (%2)</translation>
    </message>
    <message>
        <source>。%1は読めないため使っていません</source>
        <extracomment>Follows the line before at once: the translation starts with its own separator.</extracomment>
        <translation>. %1 is not used: it cannot be read</translation>
    </message>
    <message>
        <source>Content-Type の charset「%1」</source>
        <translation>The Content-Type charset “%1”</translation>
    </message>
    <message>
        <source>XML 宣言の encoding「%1」</source>
        <translation>The XML declaration’s encoding “%1”</translation>
    </message>
</context>
<context>
    <name>CommonDialog</name>
    <message>
        <source>%1 は FIFO（名前付きパイプ）です。
置き換えずに、この FIFO へ直接書き込みますか？</source>
        <translation>%1 is a FIFO (named pipe).
Write into this FIFO directly instead of replacing it?</translation>
    </message>
    <message>
        <source>%1 はデバイス（キャラクタ型デバイス）です。
置き換えずに、このデバイスへ直接書き込みますか？</source>
        <translation>%1 is a device (character device).
Write into this device directly instead of replacing it?</translation>
    </message>
    <message>
        <source>%1 はデバイス（ブロック型デバイス）です。
置き換えずに、このデバイスへ直接書き込みますか？</source>
        <translation>%1 is a device (block device).
Write into this device directly instead of replacing it?</translation>
    </message>
    <message>
        <source>%1 は通常のファイルではありません。
置き換えずに、直接書き込みますか？</source>
        <translation>%1 is not a regular file.
Write into it directly instead of replacing it?</translation>
    </message>
</context>
<context>
    <name>CompareForm</name>
    <message>
        <source>応答の比較 - wireProbeDesk</source>
        <translation>Compare responses - wireProbeDesk</translation>
    </message>
    <message>
        <source>毎回変わるヘッダー行を無視する：</source>
        <translation>Ignore header lines that change every time:</translation>
    </message>
    <message>
        <source>値が違っても差分に数えないヘッダーの名前（コンマ区切り）。</source>
        <translation>Names of the header fields whose values never count as a difference (separated by commas).</translation>
    </message>
    <message>
        <source>前の差分</source>
        <translation>Previous difference</translation>
    </message>
    <message>
        <source>次の差分</source>
        <translation>Next difference</translation>
    </message>
    <message>
        <source>比較しています…</source>
        <translation>Comparing…</translation>
    </message>
    <message>
        <source>差分はありません</source>
        <translation>No differences</translation>
    </message>
    <message>
        <source>差分 %1 か所</source>
        <translation>Differences: %1</translation>
    </message>
    <message>
        <source>応答が大きいため、先頭の %1 MiB ずつだけを比べています。</source>
        <translation>The responses are large: only the first %1 MiB of each are compared.</translation>
    </message>
    <message>
        <source>差分が多いため、途中から先は行の対応を取らずに並べています。</source>
        <translation>There are many differences: from some point on, the lines are set side by side without being aligned.</translation>
    </message>
    <message>
        <source>差分 %1 / %2 か所</source>
        <translation>Difference %1 of %2</translation>
    </message>
</context>
<context>
    <name>ContentLength</name>
    <message>
        <source>ヘッダーと本文の区切り（空行）がありません</source>
        <translation>There is no empty line between the header and the body</translation>
    </message>
    <message>
        <source>本文がないため変更しません</source>
        <translation>No body, so nothing is changed</translation>
    </message>
    <message>
        <source>Transfer-Encoding があるため Content-Length を追加しません</source>
        <translation>Transfer-Encoding is present, so no Content-Length is added</translation>
    </message>
    <message>
        <source>Content-Length: %1 を追加</source>
        <translation>Content-Length: %1 added</translation>
    </message>
    <message>
        <source>Content-Length は正しい値 (%1) です</source>
        <translation>Content-Length already has the right value (%1)</translation>
    </message>
    <message>
        <source>（重複した %1 行を削除）</source>
        <extracomment>Follows the note before at once: the translation starts with its own separator.</extracomment>
        <translation> (duplicate lines removed: %1)</translation>
    </message>
</context>
<context>
    <name>DetailsForm</name>
    <message>
        <source>整形</source>
        <translation>Readable</translation>
    </message>
    <message>
        <source>プロキシ</source>
        <translation>Proxy</translation>
    </message>
    <message>
        <source>言語：</source>
        <translation>Language:</translation>
    </message>
    <message>
        <source>送信後に送信側を閉じる</source>
        <translation>Close the sending side after sending</translation>
    </message>
    <message>
        <source>要求を送信したら接続の送信側を閉じます（ハーフクローズ）。入力の終わりまで読んでから応答するサーバ向けです。TLS では使われません。</source>
        <translation>Closes the sending side of the connection once the request is sent (half-close), for servers that read to the end of their input before they answer. Not used with TLS.</translation>
    </message>
    <message>
        <source>キー: Ctrl+Enter 送信&#x3000;Ctrl+O 開く&#x3000;Ctrl+S 保存&#x3000;Ctrl+D 詳細ウィンドウ&#x3000;Ctrl+Shift+S 要求を保存&#x3000;Ctrl+H 履歴&#x3000;Ctrl+F 検索&#x3000;Esc 中止（送信中）、お知らせや詳細ウィンドウを閉じる</source>
        <translation>Keys: Ctrl+Enter Send   Ctrl+O Open   Ctrl+S Save   Ctrl+D Info (the details window)   Ctrl+Shift+S Save request   Ctrl+H Log (the history)   Ctrl+F Find   Esc Stop (while sending), close a notice or the details window</translation>
    </message>
    <message>
        <source>ウィンドウとメッセージの言語を選びます。次回の起動から適用されます。</source>
        <translation>Chooses the language of the windows and messages. Applies from the next start.</translation>
    </message>
    <message>
        <source>次回の起動から適用されます。</source>
        <translation>Applies from the next start.</translation>
    </message>
    <message>
        <source>JIS の記号を JIS の符号で送る</source>
        <translation>Send JIS symbols as their JIS codes</translation>
    </message>
    <message>
        <source>Shift_JIS、EUC-JP、ISO-2022-JP で、入力メソッドが入れる 〜 ‖ − ¢ £ ¬ (U+301C など) を JIS の符号 (Shift_JIS の 0x8160 など) で送ります。</source>
        <translation>In Shift_JIS, EUC-JP and ISO-2022-JP, sends 〜 ‖ − ¢ £ ¬ as input methods type them (U+301C and so on) as their JIS codes (0x8160 and so on in Shift_JIS).</translation>
    </message>
    <message>
        <source>なし</source>
        <translation>None</translation>
    </message>
    <message>
        <source>HTTP (CONNECT)</source>
        <translation>HTTP (CONNECT)</translation>
    </message>
    <message>
        <source>SOCKS5</source>
        <translation>SOCKS5</translation>
    </message>
    <message>
        <source>接続先にプロキシを経由して接続します。要求メッセージはトンネルの中をそのまま送られます。</source>
        <translation>Connects to the destination through a proxy. The request message goes through the tunnel unchanged.</translation>
    </message>
    <message>
        <source>種類：</source>
        <translation>Type:</translation>
    </message>
    <message>
        <source>ホスト：</source>
        <translation>Host:</translation>
    </message>
    <message>
        <source>プロキシのホスト名または IP アドレス</source>
        <translation>The proxy’s host name or IP address</translation>
    </message>
    <message>
        <source>ポート：</source>
        <translation>Port:</translation>
    </message>
    <message>
        <source>プロキシのポート番号</source>
        <translation>The proxy’s port number</translation>
    </message>
    <message>
        <source>ユーザー名：</source>
        <translation>User name:</translation>
    </message>
    <message>
        <source>プロキシが認証を求めるときのユーザー名。パスワードは送信のときに尋ねます。</source>
        <translation>The user name, for a proxy that asks for authentication. The password is asked for at Send.</translation>
    </message>
    <message>
        <source>接続先の名前をプロキシで解決する (socks5h)</source>
        <translation>Let the proxy resolve the destination’s name (socks5h)</translation>
    </message>
    <message>
        <source>オフにすると、接続先の名前をこのコンピュータで解決し、アドレスをプロキシに渡します。</source>
        <translation>When off, the destination’s name is resolved on this computer and the proxy is given the address.</translation>
    </message>
    <message>
        <source>パスワードを忘れる</source>
        <translation>Forget the password</translation>
    </message>
    <message>
        <source>パスワードは終了するまで覚えています（保存はしません）。</source>
        <translation>The password is kept until the program ends (never stored).</translation>
    </message>
    <message>
        <source>パスワードは送信のときに尋ねます（保存はしません）。</source>
        <translation>The password is asked for at Send (never stored).</translation>
    </message>
    <message>
        <source>プロキシのポート番号「%1」を数値に変換できません。</source>
        <translation>The proxy port number “%1” cannot be converted to a number.</translation>
    </message>
    <message>
        <source>プロキシのポート番号は1から65535の範囲で指定して下さい。</source>
        <translation>Please give the proxy port number in the range 1 to 65535.</translation>
    </message>
    <message>
        <source>（この文字コードには関係しません）</source>
        <translation>(does not apply to this encoding)</translation>
    </message>
    <message>
        <source>JIS の符号で送る記号: %1 文字</source>
        <translation>Symbols sent as JIS codes: %1</translation>
    </message>
    <message>
        <source>JIS の符号で送る記号: なし</source>
        <translation>Symbols sent as JIS codes: none</translation>
    </message>
    <message>
        <source>詳細 - wireProbeDesk</source>
        <translation>Details - wireProbeDesk</translation>
    </message>
    <message>
        <source>概要</source>
        <translation>Overview</translation>
    </message>
    <message>
        <source>16進表示</source>
        <translation>Hex</translation>
    </message>
    <message>
        <source>要求</source>
        <translation>Request</translation>
    </message>
    <message>
        <source>パスワード</source>
        <translation>Password</translation>
    </message>
    <message>
        <source>%1 のパスワード：</source>
        <translation>Password of %1:</translation>
    </message>
    <message>
        <source>通信とファイルの文字コードを選びます。応答は受信したバイト列をこの文字コードで表示します。</source>
        <translation>Chooses the encoding of the exchange and of files. The response shows the bytes received in this encoding.</translation>
    </message>
    <message>
        <source>文字コード：</source>
        <translation>Encoding:</translation>
    </message>
    <message>
        <source>応答がこの大きさを超えたら受信を打ち切ります。</source>
        <translation>Stops receiving when the response grows beyond this size.</translation>
    </message>
    <message>
        <source>応答の上限：</source>
        <translation>Response limit:</translation>
    </message>
    <message>
        <source>右端で折り返す</source>
        <translation>Wrap at the right edge</translation>
    </message>
    <message>
        <source>HTTP の応答が終わったら完了する</source>
        <translation>Complete when the HTTP response ends</translation>
    </message>
    <message>
        <source>Content-Length やチャンクの終端で応答の終わりが分かったら、サーバが接続を閉じるのを待たずに完了します。</source>
        <translation>Completes as soon as Content-Length or the last chunk shows where the response ends, without waiting for the server to close the connection.</translation>
    </message>
    <message>
        <source>この文字コードで表示</source>
        <translation>Show in this encoding</translation>
    </message>
    <message>
        <source>Content-Length を修正</source>
        <translation>Fix Content-Length</translation>
    </message>
    <message>
        <source>Content-Length ヘッダーを本文の送信バイト数に合わせます。</source>
        <translation>Sets the Content-Length header to the number of bytes of the body as sent.</translation>
    </message>
    <message>
        <source>送信前に Content-Length を自動修正する</source>
        <translation>Fix Content-Length before each Send</translation>
    </message>
    <message>
        <source>読み込んだファイルの改行を CR LF に揃える</source>
        <translation>Make the line ends of loaded files CR LF</translation>
    </message>
    <message>
        <source>送信する改行：</source>
        <translation>Line ends as sent:</translation>
    </message>
    <message>
        <source>参照...</source>
        <translation>Browse...</translation>
    </message>
    <message>
        <source>TLS を使う</source>
        <translation>Use TLS</translation>
    </message>
    <message>
        <source>サーバ証明書を検証する</source>
        <translation>Verify the server certificate</translation>
    </message>
    <message>
        <source>CA 証明書：</source>
        <translation>CA certificate:</translation>
    </message>
    <message>
        <source>追加で信頼する CA 証明書ファイル (PEM)</source>
        <translation>A CA certificate file to trust as well (PEM)</translation>
    </message>
    <message>
        <source>クライアント証明書：</source>
        <translation>Client certificate:</translation>
    </message>
    <message>
        <source>クライアント証明書ファイル (PEM または PKCS#12)</source>
        <translation>Client certificate file (PEM or PKCS#12)</translation>
    </message>
    <message>
        <source>秘密鍵：</source>
        <translation>Private key:</translation>
    </message>
    <message>
        <source>クライアント証明書の秘密鍵ファイル (PEM)</source>
        <translation>The client certificate’s private key file (PEM)</translation>
    </message>
    <message>
        <source>HTTP の応答は完了していました。サーバが接続を開いたままにする場合は「HTTP の応答が終わったら完了する」を選ぶと、時間切れを待たずに完了します。</source>
        <translation>The HTTP response was complete. For a server that keeps the connection open, choose “Complete when the HTTP response ends” to complete without waiting for the time-out.</translation>
    </message>
    <message>
        <source>CR LF: %1&#x3000;LF のみ: %2&#x3000;CR のみ: %3（%4）</source>
        <translation>CR LF: %1   LF alone: %2   CR alone: %3 (%4)</translation>
    </message>
</context>
<context>
    <name>ExchangeEngine</name>
    <message>
        <source>パスワードの入力が取り消されたため、%1 を使えません。</source>
        <translation>The password was not given, so %1 cannot be used.</translation>
    </message>
    <message>
        <source>応答メッセージが上限の %1 を超えたため、受信を打ち切りました。</source>
        <translation>The response message went past the limit of %1, so receiving was stopped.</translation>
    </message>
    <message>
        <source>接続先サーバは応答を返さずに接続を閉じました。</source>
        <translation>The destination server closed the connection without sending a response.</translation>
    </message>
    <message>
        <source>%1秒以内に TLS のハンドシェイクが終わりませんでした。接続先サーバは TLS を使っていない可能性があります。</source>
        <translation>The TLS handshake did not finish within %1 s. The destination server may not be using TLS.</translation>
    </message>
    <message>
        <source>サーバ証明書は検証されていません。検証していれば次の理由で失敗していました:</source>
        <translation>The server certificate was not verified. Verification would have failed because of:</translation>
    </message>
</context>
<context>
    <name>ExchangeReport</name>
    <message>
        <source>HTTP の応答が不完全です: ヘッダーの終わりの空行が届く前に接続が閉じられました。</source>
        <translation>The HTTP response is incomplete: the connection was closed before the empty line ending the header arrived.</translation>
    </message>
    <message>
        <source>HTTP の応答が不完全です: 本文が Content-Length の %1 バイトより %2 バイト足りません。</source>
        <translation>The HTTP response is incomplete: the body is %2 B short of the Content-Length of %1 B.</translation>
    </message>
    <message>
        <source>HTTP の応答が不完全です: トレーラーの終わりが届く前に接続が閉じられました。</source>
        <translation>The HTTP response is incomplete: the connection was closed before the end of the trailers arrived.</translation>
    </message>
    <message>
        <source>HTTP の応答が不完全です: チャンク形式の本文の終端チャンクが届いていません。</source>
        <translation>The HTTP response is incomplete: the last chunk of the chunked body has not arrived.</translation>
    </message>
    <message>
        <source>プロキシ: %1</source>
        <translation>Proxy: %1</translation>
    </message>
    <message>
        <source>%1 バイト</source>
        <translation>%1 B</translation>
    </message>
    <message>
        <source>接続先サーバのIPアドレスが指定されていません。</source>
        <translation>The destination server&apos;s IP address has not been given.</translation>
    </message>
    <message>
        <source>接続先サーバのポート番号が指定されていません。</source>
        <translation>The destination server&apos;s port number has not been given.</translation>
    </message>
    <message>
        <source>要求メッセージが入力されていません。</source>
        <translation>No request message has been entered.</translation>
    </message>
    <message>
        <source>接続先サーバに要求メッセージを送信し、応答を待っています。</source>
        <translation>The request message has been sent to the destination server; waiting for the response.</translation>
    </message>
    <message>
        <source>接続先サーバから応答メッセージを受信し、操作が完了しました。</source>
        <translation>The response message has been received from the destination server; the operation is complete.</translation>
    </message>
    <message>
        <source>%1秒間サーバからの応答がなかったため、接続を打ち切りました。</source>
        <translation>There was no response from the server for %1 s, so the connection was cut off.</translation>
    </message>
    <message>
        <source>送信した要求: %1</source>
        <translation>Request as sent: %1</translation>
    </message>
    <message>
        <source>受信した応答: %1</source>
        <translation>Response as received: %1</translation>
    </message>
    <message>
        <source>（%1/秒）</source>
        <extracomment>Follows the byte count at once: the translation starts with its own separator.</extracomment>
        <translation> (%1/s)</translation>
    </message>
    <message>
        <source>  ヘッダー: %1 / 本文: %2</source>
        <translation>  Header: %1 / Body: %2</translation>
    </message>
    <message>
        <source>プロキシ: %1（接続先の名前はプロキシが解決）</source>
        <translation>Proxy: %1 (the destination’s name resolved by the proxy)</translation>
    </message>
    <message>
        <source>プロキシ: %1（接続先の名前はこちらで解決）</source>
        <translation>Proxy: %1 (the destination’s name resolved here)</translation>
    </message>
    <message>
        <source>名前解決: %1</source>
        <translation>Name resolved: %1</translation>
    </message>
    <message>
        <source>プロキシに接続: %1</source>
        <translation>Connected to the proxy: %1</translation>
    </message>
    <message>
        <source>プロキシ経由で接続: %1</source>
        <translation>Connected through the proxy: %1</translation>
    </message>
    <message>
        <source>接続: %1</source>
        <translation>Connected: %1</translation>
    </message>
    <message>
        <source>TLS ハンドシェイク: %1</source>
        <translation>TLS handshake: %1</translation>
    </message>
    <message>
        <source>要求送信: %1</source>
        <translation>Request written: %1</translation>
    </message>
    <message>
        <source>最初の応答バイト: %1</source>
        <translation>First response byte: %1</translation>
    </message>
    <message>
        <source>終了: %1</source>
        <translation>End: %1</translation>
    </message>
    <message>
        <source>応答は TLS のレコードで始まっています。TLS のポートに平文で接続した可能性があります。</source>
        <translation>The response starts with a TLS record. You may have connected to a TLS port without TLS.</translation>
    </message>
</context>
<context>
    <name>FileFailure</name>
    <message>
        <source>メモリが足りません。</source>
        <translation>Not enough memory.</translation>
    </message>
    <message>
        <source>書き込み先に読み手がいません（読み手のいない FIFO など）。</source>
        <translation>Nothing reads what is written (a FIFO without a reader, for example).</translation>
    </message>
    <message>
        <source>書き込み先の読み手が読むのをやめました。</source>
        <translation>The reader of the output stopped reading.</translation>
    </message>
    <message>
        <source>閉じられている入出力です。</source>
        <translation>The input or output is closed.</translation>
    </message>
    <message>
        <source>要求メッセージが上限の %1 より大きいため、読み込みませんでした。</source>
        <translation>The request message is larger than the limit of %1, so it was not read.</translation>
    </message>
    <message>
        <source>ファイルまたはフォルダが見つかりません。</source>
        <translation>The file or folder was not found.</translation>
    </message>
    <message>
        <source>アクセスが拒否されました。</source>
        <translation>Access was denied.</translation>
    </message>
    <message>
        <source>フォルダはファイルとして使えません。</source>
        <translation>A folder cannot be used as a file.</translation>
    </message>
    <message>
        <source>パスの途中にフォルダでないものがあります。</source>
        <translation>Part of the path is not a folder.</translation>
    </message>
    <message>
        <source>ディスクの空き領域が足りません。</source>
        <translation>There is not enough free space on the disk.</translation>
    </message>
    <message>
        <source>ファイルが大きすぎます。</source>
        <translation>The file is too large.</translation>
    </message>
    <message>
        <source>読み取り専用のファイルシステムです。</source>
        <translation>The file system is read-only.</translation>
    </message>
    <message>
        <source>ファイル名が長すぎます。</source>
        <translation>The file name is too long.</translation>
    </message>
    <message>
        <source>入出力エラーが発生しました。</source>
        <translation>An input/output error occurred.</translation>
    </message>
    <message>
        <source>ファイルを処理できませんでした。</source>
        <translation>The file could not be processed.</translation>
    </message>
    <message>
        <source>ファイルを処理できませんでした。(%1)</source>
        <translation>The file could not be processed. (%1)</translation>
    </message>
    <message>
        <source>通常のファイルではないため読み込めません。</source>
        <translation>It cannot be read: it is not a regular file.</translation>
    </message>
</context>
<context>
    <name>FindBar</name>
    <message>
        <source>検索</source>
        <translation>Find</translation>
    </message>
    <message>
        <source>前を検索 (Shift+F3)</source>
        <translation>Find previous (Shift+F3)</translation>
    </message>
    <message>
        <source>次を検索 (F3)</source>
        <translation>Find next (F3)</translation>
    </message>
    <message>
        <source>大文字と小文字を区別</source>
        <translation>Match case</translation>
    </message>
    <message>
        <source>16進</source>
        <translation>Hex</translation>
    </message>
    <message>
        <source>検索する値をバイトの16進数で指定します（例: 0d 0a）</source>
        <translation>Gives what to find as bytes in hex (for example 0d 0a)</translation>
    </message>
    <message>
        <source>閉じる (Esc)</source>
        <translation>Close (Esc)</translation>
    </message>
    <message>
        <source>%1 件中 %2 件目</source>
        <translation>%2 of %1</translation>
    </message>
    <message>
        <source>検索中…</source>
        <translation>Searching…</translation>
    </message>
    <message>
        <source>見つかりません</source>
        <translation>Not found</translation>
    </message>
    <message>
        <source>%1 件</source>
        <translation>%1 found</translation>
    </message>
    <message>
        <source>（移動できるのは先頭の %1 件まで）</source>
        <extracomment>Follows the count at once: the translation starts with its own separator.</extracomment>
        <translation> (only the first %1 can be gone to)</translation>
    </message>
</context>
<context>
    <name>FramingVerdict</name>
    <message>
        <source>完全</source>
        <translation>complete</translation>
    </message>
    <message>
        <source>不足 %1 バイト</source>
        <translation>short by %1 B</translation>
    </message>
    <message>
        <source>不足（ヘッダーの途中まで）</source>
        <translation>short (header cut off)</translation>
    </message>
    <message>
        <source>不足（終端チャンクなし）</source>
        <translation>short (no last chunk)</translation>
    </message>
    <message>
        <source>不足</source>
        <translation>short</translation>
    </message>
    <message>
        <source>余分 %1 バイト</source>
        <translation>%1 B extra</translation>
    </message>
    <message>
        <source>閉じるまで</source>
        <translation>until closed</translation>
    </message>
</context>
<context>
    <name>HexView</name>
    <message>
        <source>コピー</source>
        <translation>Copy</translation>
    </message>
    <message>
        <source>すべて選択</source>
        <translation>Select all</translation>
    </message>
</context>
<context>
    <name>History</name>
    <message>
        <source>完了</source>
        <translation>Completed</translation>
    </message>
    <message>
        <source>タイムアウト（%1 秒）</source>
        <translation>Time-out (%1 s)</translation>
    </message>
    <message>
        <source>中断</source>
        <translation>Interrupted</translation>
    </message>
</context>
<context>
    <name>HistoryCli</name>
    <message>
        <source>履歴に番号 %1 はありません。</source>
        <translation>The history has no entry %1.</translation>
    </message>
</context>
<context>
    <name>HistoryForm</name>
    <message>
        <source>履歴 - wireProbeDesk</source>
        <translation>History - wireProbeDesk</translation>
    </message>
    <message>
        <source>検索（要求と応答の本文、宛先、要求名、結果）  Ctrl+F</source>
        <translation>Search (request and response text, destination, label, result)  Ctrl+F</translation>
    </message>
    <message>
        <source>履歴を記録する</source>
        <translation>Record the history</translation>
    </message>
    <message>
        <source>オフにすると、これからのやり取りを履歴に残しません。</source>
        <translation>When off, the exchanges from now on are not kept in the history.</translation>
    </message>
    <message>
        <source>要求</source>
        <translation>Request</translation>
    </message>
    <message>
        <source>応答</source>
        <translation>Response</translation>
    </message>
    <message>
        <source>開く</source>
        <translation>Open</translation>
    </message>
    <message>
        <source>要求と応答を記録どおりにメインウィンドウに表示します。</source>
        <translation>Shows the request and the response in the main window as recorded.</translation>
    </message>
    <message>
        <source>再送信</source>
        <translation>Resend</translation>
    </message>
    <message>
        <source>要求を記録どおりに表示し、すぐ送信します。</source>
        <translation>Shows the request as recorded and sends it at once.</translation>
    </message>
    <message>
        <source>比較</source>
        <translation>Compare</translation>
    </message>
    <message>
        <source>選んだ二つの応答を、一つだけ選んだときはその応答と応答メッセージを並べて比べます。</source>
        <translation>Compares the two selected responses side by side; with one selected, that response and the response message.</translation>
    </message>
    <message>
        <source>ファイルに書き出す</source>
        <translation>Export to files</translation>
    </message>
    <message>
        <source>要求と応答を記録どおりのバイト列で二つのファイルに書き出します。</source>
        <translation>Writes the request and the response into two files, byte for byte as recorded.</translation>
    </message>
    <message>
        <source>削除</source>
        <translation>Delete</translation>
    </message>
    <message>
        <source>選んだ履歴を削除します。</source>
        <translation>Deletes the selected entries.</translation>
    </message>
    <message>
        <source>履歴をすべて削除</source>
        <translation>Delete all history</translation>
    </message>
    <message>
        <source>すべての履歴を削除します。</source>
        <translation>Deletes all the history.</translation>
    </message>
    <message>
        <source>…（先頭の %1 文字を表示しています）</source>
        <translation>… (the first %1 characters are shown)</translation>
    </message>
    <message>
        <source>検索しています…</source>
        <translation>Searching…</translation>
    </message>
    <message>
        <source>%1%2 件</source>
        <translation>Entries: %1%2</translation>
    </message>
    <message>
        <source>%1%2 件が「%3」に一致</source>
        <translation>Entries matching “%3”: %1%2</translation>
    </message>
    <message>
        <source>この履歴は読み込めませんでした。</source>
        <translation>This entry could not be read.</translation>
    </message>
    <message>
        <source>すべての履歴を削除します。元に戻せません。よろしいですか？</source>
        <translation>All the history will be deleted. This cannot be undone. Go ahead?</translation>
    </message>
</context>
<context>
    <name>HistoryListModel</name>
    <message>
        <source>日時</source>
        <translation>Time</translation>
    </message>
    <message>
        <source>宛先</source>
        <translation>Destination</translation>
    </message>
    <message>
        <source>要求</source>
        <translation>Request</translation>
    </message>
    <message>
        <source>結果</source>
        <translation>Result</translation>
    </message>
    <message>
        <source>応答</source>
        <translation>Response</translation>
    </message>
    <message>
        <source>時間</source>
        <translation>Duration</translation>
    </message>
    <message>
        <source>応答は保存の上限までしか記録されていません。</source>
        <translation>The response is recorded only up to the history’s limit.</translation>
    </message>
    <message>
        <source>サーバ証明書の SHA-256: %1</source>
        <translation>Server certificate SHA-256: %1</translation>
    </message>
    <message>
        <source>%1（切り詰め）</source>
        <translation>%1 (cut)</translation>
    </message>
</context>
<context>
    <name>HistoryStore</name>
    <message>
        <source>フォルダ %1 を作れません。</source>
        <translation>The folder %1 cannot be made.</translation>
    </message>
    <message>
        <source>履歴のファイル %1 は使えず、別の名前にもできません。履歴は記録されません。</source>
        <translation>The history file %1 cannot be used, nor renamed. The history is not recorded.</translation>
    </message>
    <message>
        <source>履歴のファイルはデータベースではありませんでした。%1 として残し、新しい履歴を始めました。</source>
        <translation>The history file was not a database. It was kept as %1 and a new history was begun.</translation>
    </message>
    <message>
        <source>履歴のファイルが壊れていました。%1 として残し、新しい履歴を始めました。</source>
        <translation>The history file was damaged. It was kept as %1 and a new history was begun.</translation>
    </message>
    <message>
        <source>履歴のファイル %1 は新しい版のプログラムが作ったものです。履歴は記録も表示もしません。</source>
        <translation>The history file %1 was made by a newer version of the program. The history is neither recorded nor shown.</translation>
    </message>
    <message>
        <source>履歴のファイルがほかのプログラムに長くロックされていたため、履歴を読み書きできませんでした。</source>
        <translation>The history file was locked by another program for too long, so the history could not be read or written.</translation>
    </message>
    <message>
        <source>ディスクがいっぱいか書き込めないため、履歴に記録できませんでした（%1）。</source>
        <translation>The disk is full or cannot be written, so the exchange could not be recorded (%1).</translation>
    </message>
    <message>
        <source>履歴のファイル %1 に書き込めません（読み取り専用）。</source>
        <translation>The history file %1 cannot be written (read-only).</translation>
    </message>
    <message>
        <source>履歴のファイル %1 を開けません（%2）。</source>
        <translation>The history file %1 cannot be opened (%2).</translation>
    </message>
    <message>
        <source>履歴の操作に失敗しました（%1）。</source>
        <translation>A history operation failed (%1).</translation>
    </message>
</context>
<context>
    <name>HttpBody</name>
    <message>
        <source>Content-Encoding の %1 は展開できないため、受信したまま表示します</source>
        <translation>The Content-Encoding %1 cannot be decoded, so the body is shown as received</translation>
    </message>
    <message>
        <source>本文は %1 として展開できないため、受信したまま表示します</source>
        <translation>The body cannot be decompressed as %1, so it is shown as received</translation>
    </message>
    <message>
        <source>%1 を展開しました（%2 バイト → %3 バイト）</source>
        <translation>%1 decompressed (%2 B → %3 B)</translation>
    </message>
    <message>
        <source>展開した本文が応答の上限 %1 に達したため、そこで展開を打ち切りました</source>
        <translation>The decompressed body reached the response limit of %1, so decompression stopped there</translation>
    </message>
    <message>
        <source>圧縮データが途中で終わっています。展開できたところまでを表示します</source>
        <translation>The compressed data ends part-way. What could be decompressed is shown</translation>
    </message>
    <message>
        <source>圧縮データが %1 バイト目で壊れています。展開できたところまでを表示します</source>
        <translation>The compressed data is damaged at byte %1. What could be decompressed is shown</translation>
    </message>
    <message>
        <source>圧縮データの後の %1 バイトは表示しません</source>
        <translation>The %1 B after the compressed data are not shown</translation>
    </message>
    <message>
        <source>ヘッダーが終わっていないため、受信したバイト列全体を本文として扱います</source>
        <translation>The header has not ended, so all the bytes received are taken as the body</translation>
    </message>
    <message>
        <source>HTTP/1.x の応答ではないため、受信したバイト列全体を本文として扱います</source>
        <translation>Not an HTTP/1.x response, so all the bytes received are taken as the body</translation>
    </message>
    <message>
        <source>本文のない応答です</source>
        <translation>A response without a body</translation>
    </message>
    <message>
        <source>Content-Length は %1 バイトですが、届いた本文は %2 バイトです</source>
        <translation>Content-Length is %1 B, but the body that arrived is %2 B</translation>
    </message>
    <message>
        <source>応答の後に別の応答が %1 バイト続いています（表示しません）</source>
        <translation>Another response follows this one: %1 B (not shown)</translation>
    </message>
    <message>
        <source>Content-Length（%1 バイト）の後にも %2 バイト届いたため、接続が閉じるまでを本文とします</source>
        <translation>A further %2 B arrived after the Content-Length (%1 B), so the body is taken to run until the connection closed</translation>
    </message>
    <message>
        <source>チャンクの区切りが読めないため、そこからは受信したまま続けます</source>
        <translation>A chunk boundary cannot be read, so from there on the body is shown as received</translation>
    </message>
    <message>
        <source>終端チャンクが届いていません。届いたところまでを表示します</source>
        <translation>The last chunk has not arrived. What arrived is shown</translation>
    </message>
    <message>
        <source>応答の終わりの後の %1 バイトは表示しません</source>
        <translation>The %1 B after the end of the response are not shown</translation>
    </message>
    <message>
        <source>Content-Length が使えないため、接続が閉じるまでを本文とします</source>
        <translation>Content-Length cannot be used, so the body is taken to run until the connection closed</translation>
    </message>
</context>
<context>
    <name>HttpFraming</name>
    <message>
        <source>1xx 応答の後がステータス行ではありません</source>
        <translation>What follows a 1xx response is not a status line</translation>
    </message>
    <message>
        <source>ヘッダーが %1 KiB を超えても終わらないため、解析をやめました</source>
        <translation>The header did not end within %1 KiB, so reading it stopped</translation>
    </message>
    <message>
        <source>Content-Length が数値ではありません</source>
        <translation>Content-Length is not a number</translation>
    </message>
    <message>
        <source>Content-Length が負の値です</source>
        <translation>Content-Length is negative</translation>
    </message>
    <message>
        <source>Content-Length が大きすぎます</source>
        <translation>Content-Length is too large</translation>
    </message>
    <message>
        <source>Content-Length が複数あり、値が食い違っています</source>
        <translation>There are several Content-Length fields with different values</translation>
    </message>
    <message>
        <source>Transfer-Encoding があるため Content-Length は使われません</source>
        <translation>Transfer-Encoding is present, so Content-Length is not used</translation>
    </message>
    <message>
        <source>チャンクサイズの行が16進数として読めません</source>
        <translation>A chunk size line is not readable as a hex number</translation>
    </message>
    <message>
        <source>チャンクサイズが大きすぎます</source>
        <translation>A chunk size is too large</translation>
    </message>
    <message>
        <source>チャンクのデータの後に改行がありません</source>
        <translation>No line end after a chunk’s data</translation>
    </message>
    <message>
        <source>トレーラーが %1 KiB を超えても終わらないため、解析をやめました</source>
        <translation>The trailers did not end within %1 KiB, so reading them stopped</translation>
    </message>
    <message>
        <source>HTTP/1.x の応答ではありません（受信: %1 バイト）</source>
        <translation>Not an HTTP/1.x response (received: %1 B)</translation>
    </message>
    <message>
        <source>まだ何も受信していません</source>
        <translation>Nothing received yet</translation>
    </message>
    <message>
        <source>HTTP の応答かどうか判定できるだけのデータがありません</source>
        <translation>Too little data yet to tell whether this is an HTTP response</translation>
    </message>
    <message>
        <source>ステータス行: %1</source>
        <translation>Status line: %1</translation>
    </message>
    <message>
        <source>中間応答 (1xx) を %1 件読み飛ばしました</source>
        <translation>Interim responses (1xx) skipped: %1</translation>
    </message>
    <message>
        <source>ヘッダー: %1 バイト受信、終わりの空行は届かないまま接続が閉じられました</source>
        <translation>Header: %1 B received; the connection was closed before the empty line ending it</translation>
    </message>
    <message>
        <source>ヘッダー: %1 バイト受信、終わりの空行はまだ届いていません</source>
        <translation>Header: %1 B received; the empty line ending it has not arrived yet</translation>
    </message>
    <message>
        <source>ヘッダー: %1 バイト / 本文: %2 バイト</source>
        <translation>Header: %1 B / Body: %2 B</translation>
    </message>
    <message>
        <source>応答の終わりの後に %1 バイトの余分なデータがあります</source>
        <translation>Extra data after the end of the response: %1 B</translation>
    </message>
    <message>
        <source>本文なし（%1）</source>
        <translation>No body (%1)</translation>
    </message>
    <message>
        <source>HEAD 要求への応答</source>
        <translation>a response to a HEAD request</translation>
    </message>
    <message>
        <source>ステータス %1</source>
        <translation>status %1</translation>
    </message>
    <message>
        <source>Content-Length: %1（本文を伴わない応答のため長さは参考値）</source>
        <translation>Content-Length: %1 (for information only: this response has no body)</translation>
    </message>
    <message>
        <source>一致</source>
        <translation>equal</translation>
    </message>
    <message>
        <source>超過: %1 バイト多い</source>
        <translation>longer: %1 B more</translation>
    </message>
    <message>
        <source>不足: 接続が途中で閉じられました</source>
        <translation>short: the connection was closed part-way</translation>
    </message>
    <message>
        <source>不足: 残り %1 バイト</source>
        <translation>short: %1 B to come</translation>
    </message>
    <message>
        <source>Content-Length: %1 / 受信した本文: %2 バイト（%3）</source>
        <translation>Content-Length: %1 / Body received: %2 B (%3)</translation>
    </message>
    <message>
        <source>チャンク形式: 終端チャンク未受信、接続が途中で閉じられました</source>
        <translation>Chunked: last chunk not received; the connection was closed part-way</translation>
    </message>
    <message>
        <source>チャンク形式: 終端チャンク未受信</source>
        <translation>Chunked: last chunk not received</translation>
    </message>
    <message>
        <source>チャンク形式: 終端チャンクを受信済み</source>
        <translation>Chunked: last chunk received</translation>
    </message>
    <message>
        <source>チャンク形式: 終端チャンクを受信済み（トレーラーの終わりは未受信）、接続が途中で閉じられました</source>
        <translation>Chunked: last chunk received (the end of the trailers not received); the connection was closed part-way</translation>
    </message>
    <message>
        <source>チャンク形式: 終端チャンクを受信済み（トレーラーの終わりは未受信）</source>
        <translation>Chunked: last chunk received (the end of the trailers not received)</translation>
    </message>
    <message>
        <source>プロトコルが切り替わったため、以降は HTTP として読みません</source>
        <translation>The protocol was switched, so what follows is not read as HTTP</translation>
    </message>
    <message>
        <source>長さの指定がないため、接続が閉じられるまでが本文です</source>
        <translation>No length is given, so the body runs until the connection is closed</translation>
    </message>
    <message>
        <source>Content-Type の文字コード: %1</source>
        <translation>Content-Type charset: %1</translation>
    </message>
    <message>
        <source>問題: %1</source>
        <translation>Problem: %1</translation>
    </message>
    <message>
        <source>応答の終わりが判断できないため、接続が閉じられるまでを応答とみなします</source>
        <translation>The end of the response cannot be told, so it is taken to run until the connection is closed</translation>
    </message>
</context>
<context>
    <name>MessageBox</name>
    <message>
        <source>確認</source>
        <translation>Confirm</translation>
    </message>
    <message>
        <source>エラーメッセージ</source>
        <translation>Error message</translation>
    </message>
</context>
<context>
    <name>NoticeBar</name>
    <message>
        <source>このお知らせを閉じます（Esc）。</source>
        <translation>Closes this notice (Esc).</translation>
    </message>
</context>
<context>
    <name>PortText</name>
    <message>
        <source>ポート番号「%1」を数値に変換できません。</source>
        <translation>The port number “%1” cannot be converted to a number.</translation>
    </message>
    <message>
        <source>ポート番号は1から65535の範囲で指定して下さい。</source>
        <translation>Please give the port number in the range 1 to 65535.</translation>
    </message>
</context>
<context>
    <name>PrettyPage</name>
    <message>
        <source>整形した本文をコピー</source>
        <translation>Copy the readable body</translation>
    </message>
    <message>
        <source>受信中です。受信が終わると整形します。</source>
        <translation>Still receiving. The body is laid out once it has arrived.</translation>
    </message>
    <message>
        <source>応答がありません。</source>
        <translation>There is no response.</translation>
    </message>
    <message>
        <source>整形しています…</source>
        <translation>Laying out…</translation>
    </message>
</context>
<context>
    <name>ProgressLine</name>
    <message>
        <source>受信: %1 バイト（%2/秒）</source>
        <translation>Received: %1 B (%2/s)</translation>
    </message>
    <message>
        <source>受信: %1 バイト</source>
        <translation>Received: %1 B</translation>
    </message>
</context>
<context>
    <name>ProxyOption</name>
    <message>
        <source>使えないプロキシの種類です（http://、socks5://、socks5h:// が使えます）: %1</source>
        <translation>Not a proxy type that can be used (http://, socks5:// and socks5h:// can): %1</translation>
    </message>
    <message>
        <source>プロキシの URL が正しくありません: %1</source>
        <translation>Not a valid proxy URL: %1</translation>
    </message>
    <message>
        <source>プロキシのポート番号は1から65535の範囲で指定して下さい: %1</source>
        <translation>Please give the proxy port number in the range 1 to 65535: %1</translation>
    </message>
    <message>
        <source>環境変数 %1: %2</source>
        <translation>Environment variable %1: %2</translation>
    </message>
</context>
<context>
    <name>ProxySettings</name>
    <message>
        <source>プロキシ %1@%2</source>
        <translation>Proxy %1@%2</translation>
    </message>
    <message>
        <source>プロキシが接続先への接続を断りました: %1（プロキシ %2、接続先 %3）</source>
        <translation>The proxy refused to connect to the destination: %1 (proxy %2, destination %3)</translation>
    </message>
    <message>
        <source>プロキシから接続先に接続できませんでした: %1（プロキシ %2、接続先 %3）</source>
        <translation>The proxy could not connect to the destination: %1 (proxy %2, destination %3)</translation>
    </message>
    <message>
        <source>プロキシが認証を求めています。ユーザー名を設定して下さい: %1（プロキシ %2）</source>
        <translation>The proxy asks for authentication. Please set a user name: %1 (proxy %2)</translation>
    </message>
    <message>
        <source>プロキシがユーザー名かパスワードを受け付けませんでした: %1（プロキシ %2）</source>
        <translation>The proxy did not accept the user name or the password: %1 (proxy %2)</translation>
    </message>
</context>
<context>
    <name>ReadableBody</name>
    <message>
        <source>XML として整形しました（構文エラーの所まで）</source>
        <translation>Laid out as XML (up to the syntax error)</translation>
    </message>
    <message>
        <source>XML として整形しました</source>
        <translation>Laid out as XML</translation>
    </message>
    <message>
        <source>JSON として整形しました（構文エラーの所まで）</source>
        <translation>Laid out as JSON (up to the syntax error)</translation>
    </message>
    <message>
        <source>JSON として整形しました</source>
        <translation>Laid out as JSON</translation>
    </message>
    <message>
        <source>XML でも JSON でもないため、そのまま表示しています</source>
        <translation>Neither XML nor JSON, so shown as it is</translation>
    </message>
    <message>
        <source>本文が %1 を超えるため、先頭の %1 だけを表示しています</source>
        <translation>The body is larger than %1, so only its first %1 is shown</translation>
    </message>
</context>
<context>
    <name>RequestContentLength</name>
    <message>
        <source>本文には %1 として正しくないバイトがあります。Content-Length は送信するバイト数です。</source>
        <translation>The body has bytes that are not valid %1. Content-Length counts the bytes as sent.</translation>
    </message>
</context>
<context>
    <name>ResponseView</name>
    <message>
        <source>応答メッセージが %1 を超えるため、編集できません。</source>
        <translation>The response message is larger than %1, so it cannot be edited.</translation>
    </message>
    <message>
        <source>応答メッセージを編集しています。保存すると、この内容を文字コード %1 で書き込みます（Ctrl+Z で編集を取り消せます）。</source>
        <translation>The response message is being edited. Save writes this text in the encoding %1 (Ctrl+Z takes edits back).</translation>
    </message>
    <message>
        <source>応答メッセージ</source>
        <translation>Response message</translation>
    </message>
    <message>
        <source>選択した範囲が %1 を超えるため、コピーできません。保存をお使いください。</source>
        <translation>The selection is larger than %1, so it cannot be copied. Please use Save.</translation>
    </message>
</context>
<context>
    <name>SearchPattern</name>
    <message>
        <source>「%1」は文字コード %2 で表せません</source>
        <translation>“%1” cannot be written in the encoding %2</translation>
    </message>
    <message>
        <source>16進数は2桁ずつ書いて下さい（例: 0d 0a）</source>
        <translation>Please write hex bytes as two digits each (for example 0d 0a)</translation>
    </message>
    <message>
        <source>16進数として読めません: %1</source>
        <translation>Not readable as hex: %1</translation>
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
        <translation>Exit status:
  0    completed (the server closed, or with --http-end the HTTP response ended)
  1    time-out (what arrived has been written)
  2    connection failure (refused, name lookup, reset, network, connect time-out, past --limit)
  3    TLS verification, handshake or certificate file failure
  4    bad usage or input (port, request file, past --request-limit, unknown option)
  5    the response could not be written (the -o file, standard output)
  6    with --http-end, the server closed before the HTTP response had ended (incomplete)
  130, 143  interrupted by SIGINT, SIGTERM (what arrived has been written)
  141  the reader of the output stopped reading early (| head and the like; no message)
</translation>
    </message>
    <message>
        <source>使い方を表示します。</source>
        <translation>Shows the usage.</translation>
    </message>
    <message>
        <source>バージョンを表示します。</source>
        <translation>Shows the version.</translation>
    </message>
    <message>
        <source>応答を待つ秒数（1〜3600、既定 10）。</source>
        <translation>Seconds to wait for the response (1 to 3600, default 10).</translation>
    </message>
    <message>
        <source>応答をファイルに書き込みます（標準出力の代わりに）。届いたとおりに一時ファイルへ書き、終わりに置き換えます。FIFO やデバイスにはそのまま書き込みます。</source>
        <translation>Writes the response to a file (instead of standard output): into a temporary file as it arrives, which replaces the file at the end. A FIFO or a device is written into directly.</translation>
    </message>
    <message>
        <source>要求のバイト列を行の規則なしにそのまま送信します。</source>
        <translation>Sends the request’s bytes unchanged, without the line rules.</translation>
    </message>
    <message>
        <source>要求ファイルのエンコーディング（UTF-8、Shift_JIS、EUC-JP、ISO-2022-JP、ISO-8859-1）。</source>
        <translation>The encoding of the request file (UTF-8, Shift_JIS, EUC-JP, ISO-2022-JP, ISO-8859-1).</translation>
    </message>
    <message>
        <source>受け取る応答の上限バイト数（既定: 上限なし）。</source>
        <translation>The most bytes of response to take (default: no limit).</translation>
    </message>
    <message>
        <source>読み込む要求の上限バイト数（既定 1G）。超えると何も送信せずに終了します。</source>
        <translation>The most bytes of request to read (default 1G). Beyond it the run ends without sending anything.</translation>
    </message>
    <message>
        <source>TLS で接続します。</source>
        <translation>Connects with TLS.</translation>
    </message>
    <message>
        <source>サーバ証明書を検証しません。</source>
        <translation>Does not verify the server certificate.</translation>
    </message>
    <message>
        <source>信頼する CA 証明書（PEM）を追加します。</source>
        <translation>Adds a CA certificate (PEM) to trust.</translation>
    </message>
    <message>
        <source>クライアント証明書（PEM または PKCS#12）。</source>
        <translation>The client certificate (PEM or PKCS#12).</translation>
    </message>
    <message>
        <source>クライアント証明書の秘密鍵（PEM）。</source>
        <translation>The client certificate’s private key (PEM).</translation>
    </message>
    <message>
        <source>HTTP の応答が終わったら、サーバが閉じるのを待たずに完了します。</source>
        <translation>Completes when the HTTP response ends, without waiting for the server to close.</translation>
    </message>
    <message>
        <source>要求を送信した後、送信側を閉じます（入力の終わりまで読むサーバ向け、TLS では無効）。</source>
        <translation>Closes the sending side after the request is sent (for servers that read to the end of their input; not with TLS).</translation>
    </message>
    <message>
        <source>Content-Length を本文の送信バイト数に合わせます。</source>
        <translation>Sets Content-Length to the number of bytes of the body as sent.</translation>
    </message>
    <message>
        <source>LF のみの行末も CR LF にして送信します。</source>
        <translation>Sends line ends of LF alone as CR LF too.</translation>
    </message>
    <message>
        <source>やり取りの詳細を標準エラー出力に書きます。</source>
        <translation>Writes the details of the exchange to standard error.</translation>
    </message>
    <message>
        <source>やり取りを JSON で標準エラー出力に書きます。</source>
        <translation>Writes the exchange as JSON to standard error.</translation>
    </message>
    <message>
        <source>プロキシを経由して接続します: http://[USER[:PASSWORD]@]HOST[:PORT] (CONNECT), socks5://... (名前はこちらで解決), socks5h://... (名前はプロキシが解決)。 ポートの既定は 1080。 パスワードがなければ端末で尋ねます。 省略時は環境変数 all_proxy / ALL_PROXY。 空の URL ではプロキシを使いません。</source>
        <translation>Connects through a proxy: http://[USER[:PASSWORD]@]HOST[:PORT] (CONNECT), socks5://... (names resolved here), socks5h://... (names resolved by the proxy). The port defaults to 1080. Without a password it is asked for on the terminal. When not given, the environment variable all_proxy / ALL_PROXY. An empty URL means no proxy.</translation>
    </message>
    <message>
        <source>プロキシを使わない接続先: * ですべて、 またはカンマ区切りのホスト名、 ドメイン、 アドレス。 省略時は環境変数 no_proxy / NO_PROXY。</source>
        <translation>Destinations reached without the proxy: * for all, or host names, domains and addresses separated by commas. When not given, the environment variable no_proxy / NO_PROXY.</translation>
    </message>
    <message>
        <source>やり取りを履歴に記録します（ウィンドウと同じ履歴）。</source>
        <translation>Records the exchange in the history (the window’s history).</translation>
    </message>
    <message>
        <source>履歴の新しいほうから N 件（既定 20）を一覧にします: 番号、日時、宛先、要求名、結果。--json で JSON Lines。</source>
        <translation>Lists the newest N entries of the history (default 20): id, time, destination, label, result. JSON Lines with --json.</translation>
    </message>
    <message>
        <source>履歴の要求を記録どおりのバイト列で送り直します。宛先は記録のまま、または HOST PORT。</source>
        <translation>Sends a recorded request again, byte for byte, to its recorded destination or to HOST PORT.</translation>
    </message>
    <message>
        <source>履歴の要求と応答を DIR に ID-request.txt、ID-response.txt として書き出します。</source>
        <translation>Writes a recorded request and response into DIR as ID-request.txt and ID-response.txt.</translation>
    </message>
    <message>
        <source>メッセージの言語: ja（日本語）または en（英語）。省略時は環境変数 LC_ALL、LC_MESSAGES、LANG の順に最初に設定されているもので決まり、en で始まれば英語、それ以外は日本語です。</source>
        <translation>The language of the messages: ja (Japanese) or en (English). When not given, the first of the environment variables LC_ALL, LC_MESSAGES and LANG that is set decides: English when it starts with en, Japanese otherwise.</translation>
    </message>
    <message>
        <source>生の要求メッセージを TCP で送信し、サーバが接続を閉じるまでに届いた応答をそのまま出力します。
「-」で始まる引数（「-」で始まるファイル名など）は -- の後に書いて下さい（例: wireprobe-send -t 5 -- HOST PORT -request.txt）。
履歴: wireprobe-send --history [N] | --replay ID [HOST PORT] | --export ID DIR</source>
        <translation>Sends a raw request message over TCP and writes the response as it arrives until the server closes the connection.
Arguments that start with “-” (such as file names that do) go after -- (for example: wireprobe-send -t 5 -- HOST PORT -request.txt).
History: wireprobe-send --history [N] | --replay ID [HOST PORT] | --export ID DIR</translation>
    </message>
    <message>
        <source>接続先のホスト名または IP アドレス（IPv6 は [::1] のようにも書けます）。</source>
        <translation>The destination’s host name or IP address (IPv6 may also be written like [::1]).</translation>
    </message>
    <message>
        <source>接続先のポート番号。</source>
        <translation>The destination’s port number.</translation>
    </message>
    <message>
        <source>要求ファイル（省略または - で標準入力）。</source>
        <translation>The request file (standard input when left out or -).</translation>
    </message>
    <message>
        <source>使い方は wireprobe-send --help で表示されます。</source>
        <translation>wireprobe-send --help shows the usage.</translation>
    </message>
    <message>
        <source>--lang には ja か en を指定して下さい: %1</source>
        <translation>Please give ja or en to --lang: %1</translation>
    </message>
    <message>
        <source>--history、--replay、--export は一つだけ指定して下さい。</source>
        <translation>Please give only one of --history, --replay and --export.</translation>
    </message>
    <message>
        <source>履歴の番号は 1 以上の整数で指定して下さい: %1</source>
        <translation>Please give a history entry as a whole number of 1 or more: %1</translation>
    </message>
    <message>
        <source>余分な引数があります: %1</source>
        <translation>Extra arguments: %1</translation>
    </message>
    <message>
        <source>--history の件数は 1 以上の整数で指定して下さい: %1</source>
        <translation>Please give the count of --history as a whole number of 1 or more: %1</translation>
    </message>
    <message>
        <source>--export には書き出すフォルダを一つ指定して下さい。</source>
        <translation>Please give --export one folder to write into.</translation>
    </message>
    <message>
        <source>--replay の宛先はホストとポートの二つで指定して下さい。</source>
        <translation>Please give the destination of --replay as two arguments, host and port.</translation>
    </message>
    <message>
        <source>--%1 は --replay とは使えません。</source>
        <translation>--%1 cannot be used with --replay.</translation>
    </message>
    <message>
        <source>接続先のホストとポートを指定して下さい。</source>
        <translation>Please give the destination’s host and port.</translation>
    </message>
    <message>
        <source>-o には書き込むファイルを指定して下さい。</source>
        <translation>Please give -o the file to write.</translation>
    </message>
    <message>
        <source>タイムアウトは %1 から %2 までの秒数で指定して下さい: %3</source>
        <translation>Please give the time-out in seconds, from %1 to %2: %3</translation>
    </message>
    <message>
        <source>--limit には 1 以上のバイト数を指定して下さい（K、M、G も使えます）: %1</source>
        <translation>Please give --limit a number of bytes of 1 or more (K, M and G may be used): %1</translation>
    </message>
    <message>
        <source>--request-limit には 1 以上のバイト数を指定して下さい（K、M、G も使えます）: %1</source>
        <translation>Please give --request-limit a number of bytes of 1 or more (K, M and G may be used): %1</translation>
    </message>
    <message>
        <source>使えないエンコーディングです: %1（%2）</source>
        <translation>Not an encoding that can be used: %1 (%2)</translation>
    </message>
    <message>
        <source>、</source>
        <comment>between the items of a list in a sentence</comment>
        <translation>, </translation>
    </message>
    <message>
        <source>--binary と --crlf は同時に指定できません。</source>
        <translation>--binary and --crlf cannot be given together.</translation>
    </message>
    <message>
        <source>--verbose と --json は同時に指定できません。</source>
        <translation>--verbose and --json cannot be given together.</translation>
    </message>
    <message>
        <source>--%1 は --tls と一緒に指定して下さい。</source>
        <translation>Please give --%1 together with --tls.</translation>
    </message>
    <message>
        <source>--key には --cert も指定して下さい。</source>
        <translation>Please give --cert as well as --key.</translation>
    </message>
</context>
<context>
    <name>Sender</name>
    <message>
        <source>プロキシに接続しました（%1）</source>
        <translation>Connected to the proxy (%1)</translation>
    </message>
    <message>
        <source>プロキシ経由で接続しました（%1）</source>
        <translation>Connected through the proxy (%1)</translation>
    </message>
    <message>
        <source>シグナル %1 を受けたため、出力を打ち切りました。</source>
        <translation>Signal %1 was received, so the output was cut off.</translation>
    </message>
    <message>
        <source>出力先が %1 秒間読み取らなかったため、打ち切りました。</source>
        <translation>The output was not read for %1 s, so the run was cut off.</translation>
    </message>
    <message>
        <source>HTTP の応答は完了していました。サーバが接続を開いたままにする場合は --http-end を付けると、時間切れを待たずに完了します。</source>
        <translation>The HTTP response was complete. For a server that keeps the connection open, add --http-end to complete without waiting for the time-out.</translation>
    </message>
    <message>
        <source>標準入力から要求メッセージを読み込みます。終わりに Ctrl+D を押して下さい。</source>
        <translation>Reading the request message from standard input. Press Ctrl+D at its end.</translation>
    </message>
    <message>
        <source>標準入力</source>
        <translation>standard input</translation>
    </message>
    <message>
        <source>接続しています: %1 ポート %2（プロキシ %3 経由）</source>
        <translation>Connecting: %1 port %2 (through the proxy %3)</translation>
    </message>
    <message>
        <source>接続しています: %1 ポート %2</source>
        <translation>Connecting: %1 port %2</translation>
    </message>
    <message>
        <source>標準出力</source>
        <translation>standard output</translation>
    </message>
    <message>
        <source>接続しました（%1）</source>
        <translation>Connected (%1)</translation>
    </message>
    <message>
        <source>TLS ハンドシェイクが完了しました（%1）</source>
        <translation>TLS handshake done (%1)</translation>
    </message>
    <message>
        <source>要求メッセージを送信しました: %1 バイト（%2）</source>
        <translation>Request message sent: %1 B (%2)</translation>
    </message>
    <message>
        <source>最初の応答バイトを受信しました（%1）</source>
        <translation>First response byte received (%1)</translation>
    </message>
    <message>
        <source>シグナル %1 を受けたため、接続を打ち切りました。</source>
        <translation>Signal %1 was received, so the connection was cut off.</translation>
    </message>
</context>
<context>
    <name>SoapFault</name>
    <message>
        <source>SOAP %1 Fault</source>
        <translation>SOAP %1 Fault</translation>
    </message>
</context>
<context>
    <name>SummaryLine</name>
    <message>
        <source>編集済み</source>
        <translation>edited</translation>
    </message>
    <message>
        <source>クリックすると詳細ウィンドウの該当するページを開きます。</source>
        <translation>A click opens the details window at the matching page.</translation>
    </message>
</context>
<context>
    <name>TerminalPassword</name>
    <message>
        <source>パスワードを入力する端末がないため、%1 を使えません。</source>
        <translation>There is no terminal to type the password on, so %1 cannot be used.</translation>
    </message>
    <message>
        <source>%1 のパスワード：</source>
        <translation>Password of %1: </translation>
    </message>
</context>
<context>
    <name>TextCodec</name>
    <message>
        <source>応答メッセージの %1 行 %2 桁目の文字「%3」(%4) は文字コード %5 で表せません。</source>
        <translation>The character “%3” (%4) at line %1, column %2 of the response message cannot be written in the encoding %5.</translation>
    </message>
    <message>
        <source>要求メッセージの %1 行 %2 桁目の文字「%3」(%4) は文字コード %5 で表せません。</source>
        <translation>The character “%3” (%4) at line %1, column %2 of the request message cannot be written in the encoding %5.</translation>
    </message>
</context>
<context>
    <name>TlsSetup</name>
    <message>
        <source>サーバは TLS で応答していません（このポートは TLS なしの HTTP などではありませんか）。</source>
        <translation>The server does not answer in TLS (is this port plain HTTP or the like?).</translation>
    </message>
    <message>
        <source>サーバがクライアント証明書を要求しています。</source>
        <translation>The server asks for a client certificate.</translation>
    </message>
    <message>
        <source>サーバが送ったクライアント証明書を受け付けませんでした。</source>
        <translation>The server did not accept the client certificate sent.</translation>
    </message>
    <message>
        <source>サーバと共通の TLS のバージョンがありません。</source>
        <translation>There is no TLS version in common with the server.</translation>
    </message>
    <message>
        <source>サーバと共通の暗号方式がありません。</source>
        <translation>There is no cipher in common with the server.</translation>
    </message>
    <message>
        <source>サーバは、示された条件では暗号方式などの取り決めができないとして、ハンドシェイクを打ち切りました（TLS アラート「handshake failure」）。</source>
        <translation>The server ended the handshake, as it could not agree on a cipher or the like on the terms offered (TLS alert “handshake failure”).</translation>
    </message>
    <message>
        <source>サーバが TLS アラート「%1」でハンドシェイクを打ち切りました。</source>
        <translation>The server ended the handshake with the TLS alert “%1”.</translation>
    </message>
    <message>
        <source>TLS のハンドシェイクに失敗しました。</source>
        <translation>The TLS handshake failed.</translation>
    </message>
    <message>
        <source>自己署名の証明書です（信頼された発行者の署名がありません）</source>
        <translation>The certificate is self-signed (no trusted issuer has signed it)</translation>
    </message>
    <message>
        <source>証明書チェーンの中に信頼されていない自己署名の証明書があります</source>
        <translation>The certificate chain holds an untrusted self-signed certificate</translation>
    </message>
    <message>
        <source>証明書の有効期限が %1 に切れています</source>
        <translation>The certificate expired on %1</translation>
    </message>
    <message>
        <source>証明書はまだ有効ではありません（有効期間の開始は %1）</source>
        <translation>The certificate is not valid yet (valid from %1)</translation>
    </message>
    <message>
        <source>証明書は %1 向けで、接続先とは一致しません</source>
        <translation>The certificate is for %1, which does not match the destination</translation>
    </message>
    <message>
        <source>証明書は %1 向けで、接続先 %2 とは一致しません</source>
        <translation>The certificate is for %1, which does not match the destination %2</translation>
    </message>
    <message>
        <source>証明書の発行者「%1」が不明です（信頼された CA 証明書の中に見つかりません）</source>
        <translation>The certificate’s issuer “%1” is unknown (not found among the trusted CA certificates)</translation>
    </message>
    <message>
        <source>証明書のルート CA が信頼されていません</source>
        <translation>The certificate’s root CA is not trusted</translation>
    </message>
    <message>
        <source>証明書は失効しています</source>
        <translation>The certificate has been revoked</translation>
    </message>
    <message>
        <source>サーバが証明書を送ってきませんでした</source>
        <translation>The server sent no certificate</translation>
    </message>
    <message>
        <source>サーバの証明書を検証できませんでした。</source>
        <translation>The server’s certificate could not be verified.</translation>
    </message>
    <message>
        <source>TLS のハンドシェイクに失敗しました。%1</source>
        <translation>The TLS handshake failed. %1</translation>
    </message>
    <message>
        <source>サブジェクト: %1</source>
        <translation>Subject: %1</translation>
    </message>
    <message>
        <source>発行者: %1</source>
        <translation>Issuer: %1</translation>
    </message>
    <message>
        <source>有効期間: %1 〜 %2</source>
        <translation>Valid: %1 to %2</translation>
    </message>
    <message>
        <source>別名: %1</source>
        <translation>Alternative names: %1</translation>
    </message>
    <message>
        <source>SHA-256 フィンガープリント: %1</source>
        <translation>SHA-256 fingerprint: %1</translation>
    </message>
    <message>
        <source>不明</source>
        <translation>unknown</translation>
    </message>
    <message>
        <source>プロトコル: %1</source>
        <translation>Protocol: %1</translation>
    </message>
    <message>
        <source>暗号方式: %1</source>
        <translation>Cipher: %1</translation>
    </message>
    <message>
        <source>サーバ証明書 %1:</source>
        <translation>Server certificate %1:</translation>
    </message>
    <message>
        <source>%1として指定されたのはフォルダです: %2</source>
        <translation>The %1 given is a folder: %2</translation>
    </message>
    <message>
        <source>%1が見つかりません: %2</source>
        <translation>The %1 was not found: %2</translation>
    </message>
    <message>
        <source>%1が通常のファイルではありません: %2</source>
        <translation>The %1 is not a regular file: %2</translation>
    </message>
    <message>
        <source>%1が大きすぎます: %2</source>
        <translation>The %1 is too large: %2</translation>
    </message>
    <message>
        <source>%1を読み込めません: %2（%3）</source>
        <translation>The %1 cannot be read: %2 (%3)</translation>
    </message>
    <message>
        <source>CA 証明書ファイル</source>
        <extracomment>The subject of sentences such as &quot;The %1 was not found&quot;.</extracomment>
        <translation>CA certificate file</translation>
    </message>
    <message>
        <source>%1に PEM 形式の証明書がありません: %2</source>
        <translation>The %1 holds no certificate in PEM form: %2</translation>
    </message>
    <message>
        <source>クライアント証明書</source>
        <extracomment>As in &quot;Wrong password for the %1&quot;.</extracomment>
        <translation>client certificate</translation>
    </message>
    <message>
        <source>パスワードの入力が取り消されたため、クライアント証明書ファイルを使えません: %1</source>
        <translation>The password was not given, so the client certificate file cannot be used: %1</translation>
    </message>
    <message>
        <source>%1のパスワードが違います（または読めない形式の PKCS#12 です）: %2</source>
        <translation>Wrong password for the %1 (or a PKCS#12 file in a form that cannot be read): %2</translation>
    </message>
    <message>
        <source>クライアント証明書ファイル</source>
        <extracomment>The subject of sentences such as &quot;The %1 was not found&quot;.</extracomment>
        <translation>client certificate file</translation>
    </message>
    <message>
        <source>%1に証明書がありません: %2</source>
        <translation>The %1 holds no certificate: %2</translation>
    </message>
    <message>
        <source>%1が PEM 形式でも PKCS#12 形式でもありません: %2</source>
        <translation>The %1 is neither PEM nor PKCS#12: %2</translation>
    </message>
    <message>
        <source>秘密鍵ファイル</source>
        <extracomment>The subject of sentences such as &quot;The %1 was not found&quot;.</extracomment>
        <translation>private key file</translation>
    </message>
    <message>
        <source>クライアント証明書の秘密鍵ファイルが指定されていません: %1</source>
        <translation>No private key file is given for the client certificate: %1</translation>
    </message>
    <message>
        <source>%1に PEM 形式の秘密鍵がありません: %2</source>
        <translation>The %1 holds no private key in PEM form: %2</translation>
    </message>
    <message>
        <source>パスワードの入力が取り消されたため、秘密鍵を使えません: %1</source>
        <translation>The password was not given, so the private key cannot be used: %1</translation>
    </message>
    <message>
        <source>秘密鍵のパスワードが違います: %1</source>
        <translation>Wrong password for the private key: %1</translation>
    </message>
    <message>
        <source>%1の秘密鍵を読み取れません: %2</source>
        <translation>The private key in the %1 cannot be read: %2</translation>
    </message>
    <message>
        <source>秘密鍵がクライアント証明書と一致しません: %1 / %2</source>
        <translation>The private key does not match the client certificate: %1 / %2</translation>
    </message>
    <message>
        <source>秘密鍵ファイルだけが指定され、クライアント証明書ファイルがありません: %1</source>
        <translation>Only a private key file is given, with no client certificate file: %1</translation>
    </message>
    <message>
        <source>PKCS#12 のクライアント証明書には秘密鍵が含まれるため、秘密鍵ファイルは指定できません: %1</source>
        <translation>A PKCS#12 client certificate holds its private key, so no private key file may be given: %1</translation>
    </message>
</context>
<context>
    <name>Transport</name>
    <message>
        <source>接続先サーバによって接続がリセットされました。</source>
        <translation>The destination server reset the connection.</translation>
    </message>
    <message>
        <source>ソケットが閉じられていないため接続できません。</source>
        <translation>Cannot connect: the socket has not been closed.</translation>
    </message>
</context>
<context>
    <name>main</name>
    <message>
        <source>wireprobedesk: --lang には ja か en を指定して下さい: %1</source>
        <translation>wireprobedesk: please give ja or en to --lang: %1</translation>
    </message>
</context>
<context>
    <name>wireProbeDeskForm</name>
    <message>
        <source>中止しました。</source>
        <translation>Stopped.</translation>
    </message>
    <message>
        <source>履歴</source>
        <translation>Log</translation>
    </message>
    <message>
        <source>これまでのやり取りの履歴を表示します。</source>
        <translation>Shows the history of the exchanges so far.</translation>
    </message>
    <message>
        <source>中止</source>
        <translation>Stop</translation>
    </message>
    <message>
        <source>送信中のやり取りを中止します。届いた応答は残ります（Esc）。</source>
        <translation>Stops the running exchange. What arrived of the response stays (Esc).</translation>
    </message>
    <message>
        <source>元に戻す</source>
        <translation>Revert</translation>
    </message>
    <message>
        <source>応答メッセージの編集をやめ、受信したバイト列の表示に戻します。</source>
        <translation>Drops the edits of the response message and shows the bytes received again.</translation>
    </message>
    <message>
        <source>要求を保存...</source>
        <translation>Save request...</translation>
    </message>
    <message>
        <source>本文を整形して表示</source>
        <translation>Show the body laid out</translation>
    </message>
    <message>
        <source>%1 の履歴（%2）の要求と応答を表示しています。</source>
        <translation>Showing the request and the response of the history entry of %1 (%2).</translation>
    </message>
    <message>
        <source>応答は保存の上限で切れています。</source>
        <extracomment>Follows the sentence before at once: the translation starts with its own separator.</extracomment>
        <translation> The response is cut at the history’s limit.</translation>
    </message>
    <message>
        <source>要求にはこの文字コードで表せないバイトがあり、送信すると記録と違うバイト列になります。</source>
        <extracomment>Follows the sentence before at once: the translation starts with its own separator.</extracomment>
        <translation> The request has bytes this encoding cannot represent: sent, its bytes would differ from the record.</translation>
    </message>
    <message>
        <source>応答メッセージ</source>
        <translation>Response message</translation>
    </message>
    <message>
        <source>要求を書き出すファイル（応答は同じフォルダに request を response にした名前で）</source>
        <translation>The file for the request (the response goes in the same folder, its name with request turned into response)</translation>
    </message>
    <message>
        <source>送信した要求の Content-Length (%1) は本文のバイト数 (%2) と違います。</source>
        <translation>The Content-Length of the request sent (%1) differs from the body’s length in bytes (%2).</translation>
    </message>
    <message>
        <source>要求の Content-Length (%1) は本文のバイト数 (%2) と違います。</source>
        <translation>The request’s Content-Length (%1) differs from the body’s length in bytes (%2).</translation>
    </message>
    <message>
        <source>Content-Length を修正</source>
        <translation>Fix Content-Length</translation>
    </message>
    <message>
        <source>送信した要求には LF だけの改行が %1 個ありました。HTTP の行は CR LF で終わります。</source>
        <translation>The request sent had line ends of LF alone: %1. HTTP lines end in CR LF.</translation>
    </message>
    <message>
        <source>要求には LF だけの改行が %1 個あります。HTTP の行は CR LF で終わります。</source>
        <translation>The request has line ends of LF alone: %1. HTTP lines end in CR LF.</translation>
    </message>
    <message>
        <source>改行を CR LF に揃える</source>
        <translation>Make line ends CR LF</translation>
    </message>
    <message>
        <source>応答は完了していましたが、サーバが接続を開いたままでした。</source>
        <translation>The response was complete, but the server kept the connection open.</translation>
    </message>
    <message>
        <source>HTTP の応答の終わりで完了する</source>
        <translation>Complete at the end of the HTTP response</translation>
    </message>
    <message>
        <source>応答は %1 では正しく表示できません。Content-Type の文字コードは %2 です。</source>
        <translation>The response does not show correctly in %1. The Content-Type charset is %2.</translation>
    </message>
    <message>
        <source>%1 で表示</source>
        <translation>Show in %1</translation>
    </message>
    <message>
        <source>要求メッセージをファイルに保存</source>
        <translation>Save the request message to a file</translation>
    </message>
    <message>
        <source>応答メッセージは編集されていますが、文字コード %1 で読めなかったバイトが U+FFFD（�）のまま残っています。どちらを保存しますか？</source>
        <translation>The response message has been edited, but bytes the encoding %1 could not read still show as U+FFFD (�). Which should be saved?</translation>
    </message>
    <message>
        <source>表示どおりに保存</source>
        <translation>Save as shown</translation>
    </message>
    <message>
        <source>表示どおりに保存（U+FFFD は ? で書き込み）</source>
        <translation>Save as shown (U+FFFD written as ?)</translation>
    </message>
    <message>
        <source>受信したバイト列を保存</source>
        <translation>Save the bytes received</translation>
    </message>
    <message>
        <source>キャンセル</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>%1 バイト</source>
        <translation>%1 B</translation>
    </message>
    <message>
        <source>%1 秒</source>
        <translation>%1 s</translation>
    </message>
    <message>
        <source>受信 %1</source>
        <translation>Received %1</translation>
    </message>
    <message>
        <source>（%1/秒）</source>
        <extracomment>Follows the byte count at once: the translation starts with its own separator.</extracomment>
        <translation> (%1/s)</translation>
    </message>
    <message>
        <source>証明書を検証しない</source>
        <translation>certificate not verified</translation>
    </message>
    <message>
        <source>プロキシ %1</source>
        <translation>proxy %1</translation>
    </message>
    <message>
        <source>HTTP の終わりで完了</source>
        <translation>complete at HTTP end</translation>
    </message>
    <message>
        <source>送信後に送信側を閉じる</source>
        <translation>half-close after sending</translation>
    </message>
    <message>
        <source>Content-Length 自動修正</source>
        <translation>Content-Length fixed on Send</translation>
    </message>
    <message>
        <source>読み込み時 CR LF</source>
        <translation>CR LF on load</translation>
    </message>
    <message>
        <source>上限 %1</source>
        <translation>limit %1</translation>
    </message>
    <message>
        <source>開く</source>
        <translation>Open</translation>
    </message>
    <message>
        <source>要求メッセージに貼り付けるファイルを開きます。</source>
        <translation>Opens a file to paste into the request message.</translation>
    </message>
    <message>
        <source>クリア</source>
        <translation>Clear</translation>
    </message>
    <message>
        <source>要求メッセージの入力を消去します。</source>
        <translation>Clears the request message input.</translation>
    </message>
    <message>
        <source>ペースト</source>
        <translation>Paste</translation>
    </message>
    <message>
        <source>クリップボードの内容を要求メッセージに貼り付けます。</source>
        <translation>Pastes the clipboard contents into the request message.</translation>
    </message>
    <message>
        <source>保存</source>
        <translation>Save</translation>
    </message>
    <message>
        <source>応答メッセージをファイルに保存します。</source>
        <translation>Saves the response message to a file.</translation>
    </message>
    <message>
        <source>詳細</source>
        <translation>Info</translation>
    </message>
    <message>
        <source>文字コード、受信バイト、通信の詳細を表示します。</source>
        <translation>Shows the encoding, the bytes received and the details of the exchange.</translation>
    </message>
    <message>
        <source>操作中のステータスを表示します。</source>
        <translation>Shows the status of the current operation.</translation>
    </message>
    <message>
        <source>終了</source>
        <translation>Exit</translation>
    </message>
    <message>
        <source>wireProbeDeskを終了します。</source>
        <translation>Ends wireProbeDesk.</translation>
    </message>
    <message>
        <source>応答メッセージを表示します。</source>
        <translation>Shows the response message.</translation>
    </message>
    <message>
        <source>要求メッセージ</source>
        <translation>Request message</translation>
    </message>
    <message>
        <source>要求メッセージを入力して下さい。</source>
        <translation>Please enter the request message.</translation>
    </message>
    <message>
        <source>接続先設定</source>
        <translation>Destination settings</translation>
    </message>
    <message>
        <source>応答時間のタイムアウト(秒)を指定して下さい。</source>
        <translation>Please specify the response time-out (in seconds).</translation>
    </message>
    <message>
        <source>接続先サーバのIPアドレスを指定して下さい。</source>
        <translation>Please specify the IP address of the destination server.</translation>
    </message>
    <message>
        <source>接続先サーバのポート番号を指定して下さい。</source>
        <translation>Please specify the port number of the destination server.</translation>
    </message>
    <message>
        <source>ﾀｲﾑｱｳﾄ(秒)：</source>
        <translation>Timeout (s):</translation>
    </message>
    <message>
        <source>ポート：</source>
        <translation>Port:</translation>
    </message>
    <message>
        <source>アドレス：</source>
        <translation>Address:</translation>
    </message>
    <message>
        <source>送信</source>
        <translation>Send</translation>
    </message>
    <message>
        <source>要求メッセージを指定したサーバに送信します。</source>
        <translation>Sends the request message to the specified server.</translation>
    </message>
    <message>
        <source>接続先サーバに接続しています。</source>
        <translation>Connecting to the destination server.</translation>
    </message>
    <message>
        <source>すべてのﾌｧｲﾙ (*.*)</source>
        <translation>All files (*.*)</translation>
    </message>
    <message>
        <source>要求メッセージのファイルを開く</source>
        <translation>Open the request message file</translation>
    </message>
    <message>
        <source>応答メッセージのデータがありません。</source>
        <translation>There is no response message data.</translation>
    </message>
    <message>
        <source>応答メッセージをファイルに保存</source>
        <translation>Save the response message to a file</translation>
    </message>
    <message>
        <source>要求メッセージを入力して下さい。  選択した文字列の長さ：%1</source>
        <translation>Please enter the request message.  Length of the selected string: %1</translation>
    </message>
</context>
</TS>
