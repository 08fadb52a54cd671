#pragma once

#include "app/Application.h"
#include "app/MainWindow.h"
#include "scenes/SceneFactory.h"

// The entry function with the objects that live for the whole run, destroyed in
// the reverse of this order.
class Program {
public:
    // Always 0, also when start-up fails.
    int run();
    const Application& application() const { return application_; }

private:
    MainWindow window_;
    Application application_;
    SceneFactory factory_;
};
