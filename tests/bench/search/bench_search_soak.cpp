// Weeks of searches in minutes: 1,000 searches back to back with the real Controller and list
// model against a few dozen stand-in controllers (some with silent or failing web servers), the
// resident size printed at the start, every 100 rounds and at the end. Runs on the display side
// of scripts/testnet.sh only.

#include "controller/controller.h"
#include "controller/controllersearch.h"
#include "model/controllerlistmodel.h"
#include "searchtestnet.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>
#include <QThread>
#include <cstdio>

using namespace SearchTestNet;

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Search soak on a private network."));
    parser.addHelpOption();
    const QCommandLineOption roundsOption(QStringLiteral("rounds"),
                                          QStringLiteral("searches (default 1000)"),
                                          QStringLiteral("n"), QStringLiteral("1000"));
    parser.addOption(roundsOption);
    parser.process(app);

    const QString refusal = refusalReason();
    if (!refusal.isEmpty()) {
        std::fprintf(stderr, "bench_search_soak: refusing to broadcast: %s\n", qPrintable(refusal));
        return 2;
    }
    const QStringList ips =
        qEnvironmentVariable("CS_LAN_IPS").split(QLatin1Char(' '), Qt::SkipEmptyParts);
    if (ips.size() < 36) {
        std::fprintf(stderr, "bench_search_soak: needs scripts/testnet.sh --lan-hosts 36\n");
        return 2;
    }

    // 30 answering, 3 refusing with 404, 3 never answering (their checks are given up when
    // the next search starts).
    QJsonArray controllers;
    for (int i = 0; i < 36; ++i) {
        QJsonObject c{{QStringLiteral("ip"), ips[i]},
                      {QStringLiteral("name"), QStringLiteral("Controller %1").arg(i + 1)},
                      {QStringLiteral("model"), 3},
                      {QStringLiteral("serial"), QStringLiteral("SN%1").arg(i + 1)}};
        if (i >= 30)
            c.insert(QStringLiteral("behaviour"),
                     i < 33 ? QStringLiteral("http=404") : QStringLiteral("http=silent"));
        controllers.append(c);
    }
    Simulator sim;
    if (!sim.start(QJsonDocument(controllers).toJson(QJsonDocument::Compact))) {
        std::fprintf(stderr, "bench_search_soak: simulator did not start: %s\n",
                     qPrintable(sim.errorOutput()));
        return 1;
    }

    QTemporaryDir dir;
    Controller controller(dir.filePath(QStringLiteral("last_selected_controller")),
                          dir.filePath(QStringLiteral("controllerselect.ini")));
    ControllerListModel list;
    ControllerListModel *model = &list;
    model->setSearch(controller.search());
    // Only the end of each search comes sooner; replies and checks are as in the product.
    controller.search()->setQuietMs(150);

    const int rounds = qMax(100, parser.value(roundsOption).toInt());
    std::printf("searches: %d, 30 answering controllers, 3 answering 404, 3 silent\n", rounds);
    std::printf("round  resident kB  anonymous kB  rows\n");
    std::printf("%5d  %11lld  %12lld  %4d\n", 0, residentKb(), residentKb("RssAnon:"), 0);
    std::fflush(stdout);

    qint64 at100 = 0;
    int short_ = 0;
    QElapsedTimer clock;
    clock.start();
    for (int round = 1; round <= rounds; ++round) {
        model->update();
        if (!waitFor([model] { return !model->loading(); }, 10000))
            std::printf("round %d: the search did not end\n", round);
        if (model->count() != 30)
            ++short_;
        if (round % 100 == 0) {
            const qint64 rss = residentKb();
            if (round == 100)
                at100 = rss;
            std::printf("%5d  %11lld  %12lld  %4d\n", round, rss, residentKb("RssAnon:"),
                        model->count());
            std::fflush(stdout);
        }
    }
    const qint64 end = residentKb();
    std::printf("growth from round 100 to round %d: %+.2f MB; searches that listed fewer than 30: "
                "%d; %.1f s in all\n",
                rounds, (end - at100) / 1024.0, short_, clock.elapsed() / 1000.0);
    sim.stop();
    return 0;
}
