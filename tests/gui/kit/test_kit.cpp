#include <QApplication>

int runRichTextEditorTests(int argc, char** argv);
int runPrompterTests(int argc, char** argv);
int runKitSupportTests(int argc, char** argv);

// One program for the widget kit; each area of it is its own test class.
int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    int failed = 0;
    failed += runRichTextEditorTests(argc, argv);
    failed += runPrompterTests(argc, argv);
    failed += runKitSupportTests(argc, argv);
    return failed;
}
