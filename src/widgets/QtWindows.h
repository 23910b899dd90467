#pragma once

// The program-wide window references of the UI layer. Every window is created at start-up in
// this order and lives until exit; windows reach each other through this table.
namespace vallo {

struct EditorState;

class TMainForm;
class TLayForm;
class TNarabeForm;
class TEToolForm;
class TEXForm;
class TLupeForm;
class TAllForm;
class TPaleForm;
class TNewForm;
class TToolForm;
class TConfForm;
class TPale2Form;
class TPLForm;
class TPSForm;
class TPSizeForm;
class TCToolForm;
class TColorsForm;
class TAniForm;

struct AppWindows {
    TMainForm* MainForm = nullptr;
    TLayForm* LayForm = nullptr;
    TNarabeForm* NarabeForm = nullptr;
    TEToolForm* EToolForm = nullptr;
    TEXForm* EXForm = nullptr;
    TLupeForm* LupeForm = nullptr;
    TAllForm* AllForm = nullptr;
    TPaleForm* PaleForm = nullptr;
    TNewForm* NewForm = nullptr;
    TToolForm* ToolForm = nullptr;
    TConfForm* ConfForm = nullptr;
    TPale2Form* Pale2Form = nullptr;
    TPLForm* PLForm = nullptr;
    TPSForm* PSForm = nullptr;
    TPSizeForm* PSizeForm = nullptr;
    TCToolForm* CToolForm = nullptr;
    TColorsForm* ColorsForm = nullptr;
    TAniForm* AniForm = nullptr;
    // Set once the main window has closed: the windows that otherwise refuse a close request
    // (they only hide) let it through, so that the program can end.
    bool Closing = false;
};

} // namespace vallo
