#include "TeamEditorApplication.h"

int main(int argc, char** argv)
{
    TeamEditorApplication application(argc, argv);
    application.createWindows();
    return application.exec();
}
