#include "ModMain/Records/MarcEditExport.h"

#include "ModMain/Records/MarcEditSteps.h"

namespace velmora::records {

Text ExportMarcEdit(TextView boxText) {
  return ExportMarcEditInPlace(Text(boxText));
}

Text ExportMarcEditInPlace(Text boxText) {
  return RunRewrite(std::move(boxText), kMarcEditSteps);
}

}  // namespace velmora::records
