// The receive path of one discovery reply as the datagram handler runs it: envelope check,
// block table, and the name, model and serial number as text.
#include "protocol/blocks.h"
#include "protocol/envelope.h"
#include "protocol/zelcrc.h"

#include <QString>
#include <benchmark/benchmark.h>

namespace {

QByteArray block(int key, const QByteArray &value)
{
    return QByteArray(1, char(key)) + char(value.size()) + value;
}

QByteArray replyBody()
{
    return QByteArray::fromHex("0003") + block(102, "Boiler room 2") +
           block(6, QByteArray::fromHex("0000012c")) + block(2, "ZC-0012345") +
           block(4, QByteArray::fromHex("0102")) + block(7, QByteArray::fromHex("0005")) +
           block(1, QByteArray::fromHex("001a2b3c4d5e"));
}

// A reply of about 60 bytes, as controllers send them.
QByteArray typicalReply()
{
    return ZelCRC::packMessage(replyBody());
}

// A reply filling a whole Ethernet frame's worth of payload.
QByteArray largeReply(int size)
{
    QByteArray body = replyBody();
    for (int key = 10; body.size() + 8 < size; ++key) {
        const int room = size - 8 - body.size() - 2;
        if (room < 1) {
            body.append(char(0));
            continue;
        }
        body += block(key, QByteArray(qMin(room, 120), char('a' + key % 26)));
    }
    return ZelCRC::packMessage(body);
}

void receive(benchmark::State &state, const QByteArray &datagram)
{
    for (auto _ : state) {
        QByteArray body;
        if (!ZelCRC::unpackMessage(datagram, body)) {
            state.SkipWithError("datagram rejected");
            break;
        }
        const QVariant result = NEBconfig::parseBlocks(body);
        if (!result.isValid() || !result.canConvert<NEBconfig::Blocks>()) {
            state.SkipWithError("not a reply");
            break;
        }
        const NEBconfig::Blocks blocks = qvariant_cast<NEBconfig::Blocks>(result);
        QString name = blocks.value(NEBconfig::NameKey).toString();
        QString model = blocks.value(NEBconfig::ModelKey).toString();
        QString serialNumber = blocks.value(NEBconfig::SerialNumberKey).toString();
        benchmark::DoNotOptimize(name);
        benchmark::DoNotOptimize(model);
        benchmark::DoNotOptimize(serialNumber);
    }
    state.SetItemsProcessed(state.iterations());
    state.SetBytesProcessed(state.iterations() * datagram.size());
    state.counters["datagram_bytes"] = datagram.size();
    state.counters["datagrams_per_s"] =
        benchmark::Counter(double(state.iterations()), benchmark::Counter::kIsRate);
}

void BM_ReceiveTypicalReply(benchmark::State &state)
{
    receive(state, typicalReply());
}

void BM_ReceiveLargeReply(benchmark::State &state)
{
    receive(state, largeReply(1400));
}

// The parts on their own, to see where the time goes.
void BM_Crc32(benchmark::State &state)
{
    const QByteArray data(int(state.range(0)), 'x');
    for (auto _ : state)
        benchmark::DoNotOptimize(ZelCRC::crc32(data));
    state.SetBytesProcessed(state.iterations() * data.size());
}

void BM_Unpack(benchmark::State &state)
{
    const QByteArray datagram = state.range(0) > 100 ? largeReply(1400) : typicalReply();
    for (auto _ : state) {
        QByteArray body;
        benchmark::DoNotOptimize(ZelCRC::unpackMessage(datagram, body));
    }
}

void BM_ParseBlocks(benchmark::State &state)
{
    QByteArray body;
    ZelCRC::unpackMessage(state.range(0) > 100 ? largeReply(1400) : typicalReply(), body);
    for (auto _ : state)
        benchmark::DoNotOptimize(NEBconfig::parseBlocks(body));
}

} // namespace

BENCHMARK(BM_ReceiveTypicalReply);
BENCHMARK(BM_ReceiveLargeReply);
BENCHMARK(BM_Crc32)->Arg(60)->Arg(1400);
BENCHMARK(BM_Unpack)->Arg(60)->Arg(1400);
BENCHMARK(BM_ParseBlocks)->Arg(60)->Arg(1400);

BENCHMARK_MAIN();
