#include "battery_guard.h"

#include "base/text.h"
#include "file_ops.h"
#include "platform/system_status.h"

namespace {

const TextPair kLowBattery{
    L"The battery is at %d%%. A run stopped by a flat battery may leave a file half written. Run anyway?",
    L"ﾊﾞｯﾃﾘ残量は %d%% です。ﾊﾞｯﾃﾘ切れで同期が止まると、書きかけのﾌｧｲﾙが残ることがあります。実行しますか?"};
const TextPair kCriticalBattery{
    L"The battery is almost flat: the run stopped between two files, so that none is left half written. "
    L"Connect the power and run again.",
    L"ﾊﾞｯﾃﾘ残量がわずかです。書きかけのﾌｧｲﾙを残さないよう、ﾌｧｲﾙの間で同期を中断しました。"
    L"電源を接続してからもう一度実行してください。"};

bool CriticalOnBattery(const PowerFigures& power) { return OnBattery(power) && BatteryCritical(power); }

}  // namespace

bool BatteryAllowsRun(SyncHost& host, int minBattery) {
    const PowerFigures power = ReadPowerStatus();
    const int percent = power.main.percent;
    if (!OnBattery(power) || minBattery <= 0 || percent > 100 || percent >= minBattery) return true;
    return host.AskLowBattery(FormatString(Pick(kLowBattery), percent).c_str()) == kIdYes;
}

void PowerWatch::Start() { critical_ = CriticalOnBattery(ReadPowerStatus()); }

bool PowerWatch::Holds(SyncHost& host) {
    // A battery drains over minutes: a reading a quarter of a second old is fresh enough.
    const bool critical = CriticalOnBattery(RecentPowerStatus(250));
    const bool dropped = critical && !critical_;
    critical_ = critical;
    return !dropped || ReportText(host, kCriticalBattery);
}
