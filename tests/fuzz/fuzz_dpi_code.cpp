// DPI decoding and encoding over what the catalogue and driver_sensor.h
// give. Input: two bytes of a stage record (code, flags), then text lines:
// the sensor name, the DPIRange list, and the rest as driver_sensor.h.
#include "fuzz_support.h"

#include "dpi_code.h"
#include "sensor_dpi_rules.h"
#include "sensor_feature_file.h"

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv)
{
    fuzz::StartProgram(argc, argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size)
{
    if (size < 2)
        return 0;
    DPIStage record;
    record.x = record.y = data[0];
    record.flags = data[1];
    const QString text = QString::fromUtf8(fuzz::Bytes(data + 2, size - 2));
    const int firstBreak = text.indexOf(QLatin1Char('\n'));
    const int secondBreak = firstBreak < 0 ? -1 : text.indexOf(QLatin1Char('\n'), firstBreak + 1);

    g_sensorModel = text.left(firstBreak);
    LoadDpiRangeModel(text.mid(firstBreak + 1, secondBreak < 0 ? -1 : secondBreak - firstBreak - 1)
                          .split(QLatin1Char(',')));
    SensorFeatureFile file;
    if (secondBreak >= 0)
        file.Parse(text.mid(secondBreak + 1));
    g_sensorDefineNames = file.defineNames;
    g_sensorDefineValues = file.defineValues;

    const int dpi = ReadDpiStage(record);
    EncodeDpiStage(dpi, record.flags);
    const QVector<DpiSegment> segments = DpiSegmentsOf(g_dpiRangeModel);
    StepDpiUp(dpi, segments);
    StepDpiDown(dpi, segments);
    SnapDpi(dpi, segments);
    QString minimum, maximum;
    DpiRangeBounds(g_dpiRangeModel, &minimum, &maximum);
    return 0;
}
