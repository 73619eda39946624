// Time to build one settings image and to read one back, beside a plain copy
// of 2128 bytes into a fresh buffer, which is the least either could cost.
#include "settings/parameterdata.h"
#include "values/startupvalues.h"
#include "values/valuesjson.h"

#include <benchmark/benchmark.h>

namespace {

// The start-up values with every text filled to its read width, so that the
// code-page conversion does full work.
ParameterValues busyValues()
{
    ParameterValues values = StartupParameterValues();
    values.clock = ClockValue { 2026, 12, 7, 13, 5, 9 };
    values.ComboBox10 = 1;
    for (QString *text : { &values.apn, &values.username, &values.mmsc, &values.email1, &values.smtpapn,
             &values.servertxt, &values.ftpserver, &values.ftpapn, &values.path })
        *text = QString(48, QLatin1Char('x'));
    values.ComboBox4 = QStringLiteral("Operator n\u00e4me running on");
    return values;
}

void copyImage(benchmark::State &state)
{
    const QByteArray source = BuildParameterData(busyValues());
    for (auto _ : state) {
        QByteArray copy(source.constData(), source.size());
        benchmark::DoNotOptimize(copy.data());
    }
    state.SetBytesProcessed(state.iterations() * ParameterDataSize);
}

void buildImage(benchmark::State &state)
{
    const ParameterValues values = busyValues();
    for (auto _ : state) {
        QByteArray image = BuildParameterData(values);
        benchmark::DoNotOptimize(image.data());
    }
    state.SetBytesProcessed(state.iterations() * ParameterDataSize);
}

void readImage(benchmark::State &state)
{
    const QByteArray image = BuildParameterData(busyValues());
    for (auto _ : state) {
        ParameterValues values = ReadParameterData(image);
        benchmark::DoNotOptimize(values.apn.data());
    }
    state.SetBytesProcessed(state.iterations() * ParameterDataSize);
}

// The deepest values file QJsonDocument reads within encode's 1 MiB, every
// name 1000 bytes long and the last one given twice: the strict check walks
// it all and names the member. Time and memory grow with the depth squared
// where each level keeps its whole path.
void refuseDeepValues(benchmark::State &state)
{
    QByteArray json(1, '{');
    for (int level = 1000; level < 2022; ++level)
        json += '"' + QByteArray(996, 'k') + QByteArray::number(level) + "\": {";
    json += R"("a": 1, "a": 2)" + QByteArray(1023, '}');
    for (auto _ : state) {
        ParameterValues values;
        const std::optional<JsonValueError> error = ValuesFromJsonText(json, &values);
        if (!error)
            state.SkipWithError("the member given twice was taken");
        benchmark::DoNotOptimize(error);
    }
    state.SetBytesProcessed(state.iterations() * json.size());
}

} // namespace

BENCHMARK(copyImage)->Name("copy 2128 bytes (floor)");
BENCHMARK(buildImage)->Name("BuildParameterData");
BENCHMARK(readImage)->Name("ReadParameterData");
BENCHMARK(refuseDeepValues)->Name("ValuesFromJsonText, 1024 levels of 1000-byte names")->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
