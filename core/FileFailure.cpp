#include "core/FileFailure.h"

#include "core/FailureNumber.h"

#include <QCoreApplication>
#include <QLocale>

#include <cerrno>
#include <cstring>

Failure FileFailure::fromErrno(int err)
{
    QString text;
    switch (err) {
    case ENOENT:
        text = QStringLiteral("ファイルまたはフォルダが見つかりません。");
        break;
    case EACCES:
    case EPERM:
        text = QStringLiteral("アクセスが拒否されました。");
        break;
    case EISDIR:
        text = QStringLiteral("フォルダはファイルとして使えません。");
        break;
    case ENOTDIR:
        text = QStringLiteral("パスの途中にフォルダでないものがあります。");
        break;
    case ENOSPC:
    case EDQUOT:
        text = QStringLiteral("ディスクの空き領域が足りません。");
        break;
    case EFBIG:
        text = QStringLiteral("ファイルが大きすぎます。");
        break;
    case EROFS:
        text = QStringLiteral("読み取り専用のファイルシステムです。");
        break;
    case ENAMETOOLONG:
        text = QStringLiteral("ファイル名が長すぎます。");
        break;
    case ENOMEM:
        text = QCoreApplication::translate("FileFailure", "メモリが足りません。");
        break;
    case ENXIO:
        text = QCoreApplication::translate("FileFailure", "書き込み先に読み手がいません（読み手のいない FIFO など）。");
        break;
    case EPIPE:
        text = QCoreApplication::translate("FileFailure", "書き込み先の読み手が読むのをやめました。");
        break;
    case EBADF:
        text = QCoreApplication::translate("FileFailure", "閉じられている入出力です。");
        break;
    case EIO:
        text = QStringLiteral("入出力エラーが発生しました。");
        break;
    case 0:
        return Failure{FailureNumber::FileUnknown, QStringLiteral("ファイルを処理できませんでした。")};
    default:
        text = QStringLiteral("ファイルを処理できませんでした。(%1)").arg(QString::fromLocal8Bit(std::strerror(err)));
        break;
    }
    return Failure{err, text};
}

Failure FileFailure::notRegularFile()
{
    return Failure{FailureNumber::FileNotRegular, QStringLiteral("通常のファイルではないため読み込めません。")};
}

Failure FileFailure::tooLarge(qint64 limit)
{
    return Failure{
        FailureNumber::RequestTooLarge,
        QCoreApplication::translate("FileFailure", "要求メッセージが上限の %1 より大きいため、読み込みませんでした。")
            .arg(QLocale::c().formattedDataSize(limit, 0, QLocale::DataSizeIecFormat))};
}
