#include "core/FileFailure.h"

#include "core/FailureNumber.h"

#include <QCoreApplication>
#include <QLocale>

#include <cerrno>
#include <cstring>

namespace {

struct Texts
{
    Q_DECLARE_TR_FUNCTIONS(FileFailure)
};

} // namespace

Failure FileFailure::fromErrno(int err)
{
    QString text;
    switch (err) {
    case ENOENT:
        text = Texts::tr("ファイルまたはフォルダが見つかりません。");
        break;
    case EACCES:
    case EPERM:
        text = Texts::tr("アクセスが拒否されました。");
        break;
    case EISDIR:
        text = Texts::tr("フォルダはファイルとして使えません。");
        break;
    case ENOTDIR:
        text = Texts::tr("パスの途中にフォルダでないものがあります。");
        break;
    case ENOSPC:
    case EDQUOT:
        text = Texts::tr("ディスクの空き領域が足りません。");
        break;
    case EFBIG:
        text = Texts::tr("ファイルが大きすぎます。");
        break;
    case EROFS:
        text = Texts::tr("読み取り専用のファイルシステムです。");
        break;
    case ENAMETOOLONG:
        text = Texts::tr("ファイル名が長すぎます。");
        break;
    case ENOMEM:
        text = Texts::tr("メモリが足りません。");
        break;
    case ENXIO:
        text = Texts::tr("書き込み先に読み手がいません（読み手のいない FIFO など）。");
        break;
    case EPIPE:
        text = Texts::tr("書き込み先の読み手が読むのをやめました。");
        break;
    case EBADF:
        text = Texts::tr("閉じられている入出力です。");
        break;
    case EIO:
        text = Texts::tr("入出力エラーが発生しました。");
        break;
    case 0:
        return Failure{FailureNumber::FileUnknown, Texts::tr("ファイルを処理できませんでした。")};
    default:
        text = Texts::tr("ファイルを処理できませんでした。(%1)").arg(QString::fromLocal8Bit(std::strerror(err)));
        break;
    }
    return Failure{err, text};
}

Failure FileFailure::notRegularFile()
{
    return Failure{FailureNumber::FileNotRegular, Texts::tr("通常のファイルではないため読み込めません。")};
}

Failure FileFailure::tooLarge(qint64 limit)
{
    return Failure{FailureNumber::RequestTooLarge,
                   Texts::tr("要求メッセージが上限の %1 より大きいため、読み込みませんでした。")
                       .arg(QLocale::c().formattedDataSize(limit, 0, QLocale::DataSizeIecFormat))};
}
