#include "MarcExchange/ReadReport.h"

namespace velmora::marc_exchange {

std::string_view RepairKindName(RepairKind kind) {
  switch (kind) {
#define VELMORA_REPAIR_NAME(name, id) \
  case RepairKind::name:              \
    return id;
    VELMORA_REPAIR_KINDS(VELMORA_REPAIR_NAME)
#undef VELMORA_REPAIR_NAME
  }
  return "unknown";
}

std::string_view RejectReasonName(RejectReason reason) {
  switch (reason) {
    case RejectReason::kNoFields:
      return "no-fields";
    case RejectReason::kTooLarge:
      return "too-large";
    case RejectReason::kBadTag:
      return "bad-tag";
    case RejectReason::kBadIndicator:
      return "bad-indicator";
    case RejectReason::kBadSubfieldCode:
      return "bad-subfield-code";
  }
  return "unknown";
}

std::string_view ReadErrorKindName(ReadErrorKind kind) {
  switch (kind) {
    case ReadErrorKind::kNotMarc:
      return "not-marc";
    case ReadErrorKind::kReadFailed:
      return "read-failed";
    case ReadErrorKind::kXmlNotWellFormed:
      return "xml-not-well-formed";
    case ReadErrorKind::kXmlDoctype:
      return "xml-doctype";
    case ReadErrorKind::kXmlTooDeep:
      return "xml-too-deep";
    case ReadErrorKind::kXmlTooLarge:
      return "xml-too-large";
    case ReadErrorKind::kXmlEncoding:
      return "xml-encoding";
    case ReadErrorKind::kXmlNamespace:
      return "xml-namespace";
    case ReadErrorKind::kNoMarcXmlRecords:
      return "no-marcxml-records";
  }
  return "unknown";
}

}  // namespace velmora::marc_exchange
