#pragma once

#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "app/host.h"
#include "app/model_choice.h"
#include "app/model_fields.h"
#include "app/window_tables.h"

// The "Model" dialog of the graph window: the model file (or none) and its placement, as the
// texts of its fields, with the checks that OK makes. The front-ends build it from its table
// and hand the fields back; what they mean is decided here.
namespace walkconv::app {

inline constexpr std::string_view kModelDialogCaption = "Model";

// What a control of the dialog shows or does.
enum class ModelPart {
    Label,    // a text only
    File,     // the model file's field
    Browse,   // picks the file in a file dialog
    NoModel,  // empties the file's field
    UpY,      // the up axis, as option buttons
    UpZ,
    Scale,
    OffsetX,
    OffsetY,
    OffsetZ,
    Ok,
    Cancel,
};

// A control of the dialog, top to bottom and in tab order; the controls of one row stand side
// by side (a label, its field and the field's buttons; the two option buttons; OK and Cancel).
struct ModelControl {
    std::string_view name;  // the name front-ends give it, and tests find it by
    ControlKind kind;
    std::string_view caption;
    ModelPart part;
    int row;
};
std::span<const ModelControl> ModelDialogControls();

// The text of a field's control (File, Scale, OffsetX, OffsetY, OffsetZ) in `fields`, and the
// field that control's text goes into; other parts have none.
std::string* FieldText(ModelFields& fields, ModelPart part);

// The fields showing `choice`.
ModelFields FieldsOf(const ModelChoice& choice);

// The choice the fields give, or why OK cannot take them: "The scale must be a positive
// number.", "The offset X must be a number." (Y, Z alike). Numbers are read with "." as the
// decimal point, blanks around them ignored; the file's text is taken as it stands.
struct CheckedFields {
    std::optional<ModelChoice> choice;
    std::string problem;
};
CheckedFields CheckModelFields(const ModelFields& fields);

// The file types of the dialog's Browse: "3D models (*.obj;*.gltf;*.glb)", then all files.
std::span<const FileFilter> ModelFilters();

// Browse: an open dialog proposing `current`, in the folder last remembered for models; the
// file chosen, or none when cancelled.
std::optional<std::string> BrowseModelFile(Host& host, const std::string& current);

}  // namespace walkconv::app
