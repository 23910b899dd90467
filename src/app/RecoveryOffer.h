#pragma once

namespace vallo {

struct EditorState;
class DocumentUi;
struct RecoveredDocument;

inline constexpr const char* kMsgRestoreRecovery =
    "前回、保存されずに終了した作業があります。復元しますか？";

// At start-up, before the recent file is opened: offers the copies that earlier runs left
// behind, newest first. Yes makes the copy the document, No deletes it; a copy that cannot be
// read is moved aside with a message. True when a copy became the document.
bool OfferRecoveryCopies(EditorState& s, DocumentUi& ui);

// The recovered work becomes the document: modified, under the file name it belongs to, with
// its cell where it was.
void RestoreRecoveredDocument(EditorState& s, RecoveredDocument& doc);

} // namespace vallo
