#include "words/port_failure_text.h"

#include "words/file_names.h"
#include "words/program_flags.h"

#include <QDir>
#include <array>

namespace ui {

namespace {

using radiolink::PortFailure;

struct FailureRow {
    PortFailure failure;
    const char* zh; // %1 the device, %2 the system's words
    const char* en;
};

constexpr std::array FailureTable{
    FailureRow{PortFailure::NoDevice, "此端口没有对应的设备。", "No device belongs to this port."},
    FailureRow{PortFailure::Missing, "设备 %1 不存在（编程线是否已插好？）。",
               "The device %1 does not exist (is the programming cable plugged in?)."},
    FailureRow{PortFailure::Permission, "无权打开设备 %1：请将本用户加入 dialout 组后重新登录。",
               "No permission to open the device %1: add this user to the dialout group, then "
               "log in again."},
    FailureRow{PortFailure::InUse, "设备 %1 正被其它程序使用。",
               "The device %1 is in use by another program."},
    FailureRow{PortFailure::LockFailed, "无法写入设备 %1 的锁文件：%2",
               "The lock file of the device %1 could not be written: %2"},
    FailureRow{
        PortFailure::StaleLock,
        "设备 %1 被一个已结束程序留下的锁文件 %2 挡住，本用户无权删除它：请由其所有者或管理员"
        "（root）删除。",
        "The device %1 is blocked by the lock file %2, left by a program that has ended; "
        "this user may not remove it: have its owner or root remove it."},
    FailureRow{PortFailure::Other, "设备 %1：%2", "The device %1: %2"},
};

} // namespace

QString portFailureText(PortFailure failure, const QString& device, const QString& systemText) {
    for (const FailureRow& row : FailureTable) {
        if (row.failure != failure)
            continue;
        const QString text = QString::fromUtf8(isChinese() ? row.zh : row.en);
        const QString name = printableFileName(QDir::toNativeSeparators(device));
        // Only the placeholders the text has, all at once (a % in a name stays).
        if (text.contains("%2"))
            return text.arg(name, systemText);
        return text.contains("%1") ? text.arg(name) : text;
    }
    return {};
}

} // namespace ui
