#include "app/Application.h"

#include <QCoreApplication>

#include "GuiGeneral/TForm1.h"
#include "app/TForm3.h"
#include "dialogs/TForm2.h"
#include "dialogs/TForm4.h"
#include "dialogs/TForm5.h"
#include "dialogs/TForm6.h"
#include "dialogs/TForm7.h"
#include "dialogs/TForm8.h"

template <class Form, class... Args>
Form* Application::Create(Args&&... args)
{
    Form* form = new Form(std::forward<Args>(args)...);
    creationOrder_ << QString::fromLatin1(Form::staticMetaObject.className());
    return form;
}

Application::Application(std::string exeDir) : state_(std::make_unique<SharedState>(std::move(exeDir)))
{
    Forms& f = state_->forms;
    // The splash comes first: its creation opens the store every other window reads.
    f.Form3 = Create<TForm3>(*state_);
    f.Form1 = Create<TForm1>(*state_);
    f.Form2 = Create<TForm2>(*state_);
    f.Form4 = Create<TForm4>(*state_);
    f.Form5 = Create<TForm5>(*state_);
    f.Form6 = Create<TForm6>(*state_);
    f.Form7 = Create<TForm7>();
    f.Form8 = Create<TForm8>(*state_);

    state_->EndRun = [splash = f.Form3] { splash->close(); };
    connect(f.Form3, &TForm3::Closed, this, [this] {
        ended_ = true;
        emit RunEnded();
        QCoreApplication::quit();
    });
}

Application::~Application()
{
    Forms& f = state_->forms;
    // Dialogs first: they reach into the main window, which reaches into the splash.
    delete f.Form8;
    delete f.Form7;
    delete f.Form6;
    delete f.Form5;
    delete f.Form4;
    delete f.Form2;
    delete f.Form1;
    delete f.Form3;
    f = {};
    state_->EndRun = nullptr;
}

void Application::Start()
{
    state_->forms.Form3->show();
}
