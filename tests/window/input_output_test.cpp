#include "window_fixture.h"
class Placeholder : public QObject { Q_OBJECT };
QTEST_MAIN(Placeholder)
#include "input_output_test.moc"
