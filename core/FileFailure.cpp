#include "core/FileFailure.h"

#include "core/FailureNumber.h"

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
