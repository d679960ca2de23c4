#include "app/Application.h"

#include "tests/support/RecordingSink.h"

#include <gtest/gtest.h>

#include <QEvent>

#include <stdexcept>

namespace quorvel {
namespace {

QuorvelApplication* application = nullptr;

class Throwing : public QObject {
public:
    int handled = 0;
    bool event(QEvent* event) override
    {
        if (event->type() == QEvent::User)
            throw std::runtime_error("the command failed");
        ++handled;
        return QObject::event(event);
    }
};

TEST(QuorvelApplication, AnEscapedErrorIsShownAndEventsGoOn)
{
    build::RecordingSink sink;
    application->setErrorSink(&sink);
    Throwing target;
    QEvent failing(QEvent::User);
    EXPECT_FALSE(QCoreApplication::sendEvent(&target, &failing));
    ASSERT_EQ(sink.messages.size(), 1u);
    EXPECT_EQ(sink.messages[0].first, "the command failed");
    EXPECT_EQ(sink.messages[0].second, ErrorCaption);

    QEvent ordinary(static_cast<QEvent::Type>(QEvent::User + 1));
    QCoreApplication::sendEvent(&target, &ordinary);
    EXPECT_EQ(target.handled, 1);
    EXPECT_EQ(sink.messages.size(), 1u);
    application->setErrorSink(nullptr);
}

}  // namespace
}  // namespace quorvel

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    quorvel::QuorvelApplication app(argc, argv);
    quorvel::application = &app;
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
