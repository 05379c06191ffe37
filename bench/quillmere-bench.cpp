// quillmere-bench --generate DIR [--years Y] [--per-day N] [--seed S]
// quillmere-bench --data DIR [--word W] [--category C]
#include "store/DataGenerator.h"
#include "store/StoreBenchmark.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QStringList>
#include <QTextStream>

namespace {

int Usage(QTextStream& err)
{
    err << "usage: quillmere-bench --generate DIR [--years Y] [--per-day N] [--seed S]\n"
           "       quillmere-bench --data DIR [--word W] [--category C]\n";
    return 2;
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QTextStream out(stdout);
    QTextStream err(stderr);
    const QStringList args = app.arguments().mid(1);

    QString generate;
    QString data;
    GeneratorOptions generator;
    BenchmarkOptions benchmark;
    for (qsizetype i = 0; i < args.size(); ++i) {
        const QString& arg = args[i];
        if (i + 1 >= args.size())
            return Usage(err);
        const QString value = args[++i];
        bool ok = true;
        if (arg == QLatin1String("--generate"))
            generate = value;
        else if (arg == QLatin1String("--data"))
            data = value;
        else if (arg == QLatin1String("--years"))
            generator.years = value.toInt(&ok);
        else if (arg == QLatin1String("--per-day"))
            generator.perDay = value.toInt(&ok);
        else if (arg == QLatin1String("--seed"))
            generator.seed = value.toUInt(&ok);
        else if (arg == QLatin1String("--word"))
            benchmark.word = value;
        else if (arg == QLatin1String("--category"))
            benchmark.category = value;
        else
            return Usage(err);
        if (!ok)
            return Usage(err);
    }
    if (generate.isEmpty() == data.isEmpty() || generator.years < 1 || generator.perDay < 1 ||
        generator.perDay > 17 * 3600)
        return Usage(err);

    QString error;
    if (!generate.isEmpty()) {
        generator.folder = generate;
        QElapsedTimer timer;
        timer.start();
        const GeneratedFolder written = GenerateDataFolder(generator, &error);
        if (written.records < 0) {
            err << error << Qt::endl;
            return 1;
        }
        out << "generated: " << written.records << " records" << Qt::endl;
        out << "category_list: " << written.categories << " entries" << Qt::endl;
        out << "generate_time: " << timer.elapsed() << " ms" << Qt::endl;
        return 0;
    }
    benchmark.folder = data;
    if (!RunStoreBenchmark(benchmark, out, &error)) {
        err << error << Qt::endl;
        return 1;
    }
    return 0;
}
