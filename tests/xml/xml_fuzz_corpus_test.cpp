// Replays every input of the XmlDocument fuzz corpus (seeds and minimised
// crashers) through the fuzz target, which aborts on any broken invariant.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>

#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size);

TEST(XmlFuzzCorpus, EveryInputRunsClean)
{
    const QDir dir(QStringLiteral(VARNET_SOURCE_DIR "/fuzz/corpus/xml_document"));
    const QStringList names = dir.entryList(QDir::Files);
    ASSERT_FALSE(names.isEmpty());
    for (const QString& name : names) {
        SCOPED_TRACE(name.toStdString());
        QFile f(dir.filePath(name));
        ASSERT_TRUE(f.open(QIODevice::ReadOnly));
        const QByteArray bytes = f.readAll();
        EXPECT_EQ(LLVMFuzzerTestOneInput(reinterpret_cast<const uint8_t*>(bytes.constData()),
                                         size_t(bytes.size())),
                  0);
    }
}
