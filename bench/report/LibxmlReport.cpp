#include "bench/report/LibxmlReport.h"

#include <cstdint>
#include <cstdio>
#include <vector>

#ifdef BENCH_HAVE_LIBXML2
#include <libxml/xmlwriter.h>
#endif

namespace benchreport {

#ifdef BENCH_HAVE_LIBXML2

namespace {

const xmlChar* X(const char* text) { return reinterpret_cast<const xmlChar*>(text); }

std::string AmountText(std::int64_t raw) {
  const std::int64_t units = raw / 10000;
  if (units == 0 || units < -99999999999LL || units > 999999999999LL) return "";
  return std::to_string(units);
}

bool IsAccountRow(const StZandakaItem& item) {
  return static_cast<std::int32_t>(item.code) % 10000 == 0;
}

// One element with text; libxml2 escapes it.
bool Element(xmlTextWriterPtr w, const char* name, const std::string& text) {
  return xmlTextWriterWriteElement(w, X(name), X(text.c_str())) >= 0;
}

bool Counted(xmlTextWriterPtr w, const char* name, int count) {
  char value[16];
  std::snprintf(value, sizeof(value), "%4d", count);
  return xmlTextWriterStartElement(w, X(name)) >= 0 &&
         xmlTextWriterWriteAttribute(w, X("Count"), X(value)) >= 0;
}

bool Body(xmlTextWriterPtr w, const ZandakaList& list, const StDATAINFO& data,
          const std::vector<std::string>& names, const std::string& company,
          const std::string& label) {
  bool ok = xmlTextWriterStartDocument(w, "1.0", "Shift_JIS", nullptr) >= 0 &&
            xmlTextWriterStartElement(w, X("REPORT")) >= 0 &&
            xmlTextWriterStartElement(w, X("SYSTEM")) >= 0 && Element(w, "GYOUMUPREFIX", "UG13") &&
            Element(w, "VERSION", "1") && Element(w, "FUNCTIONID", "1") &&
            Element(w, "CONNECTEDPROGRAMVER", "19.00.00") && Element(w, "PROGRAMNAME", label) &&
            Element(w, "PROGRAMVER", "19.00.0X") && xmlTextWriterEndElement(w) >= 0 &&
            xmlTextWriterStartElement(w, X("BASIC")) >= 0 && Element(w, "KOMONSAKINAME", company) &&
            Element(w, "JIGYOUNENDOFROM", std::to_string(data.periodStart)) &&
            Element(w, "JIGYOUNENDOTO", std::to_string(data.periodEnd)) &&
            xmlTextWriterEndElement(w) >= 0 && xmlTextWriterStartElement(w, X("DATA")) >= 0;
  int account = 1;
  int sub = 1;
  bool pending = false;
  for (std::size_t i = 0; ok && i < list.size(); ++i) {
    const StZandakaItem& item = *list[i];
    const auto code = static_cast<std::int32_t>(item.code);
    if (IsAccountRow(item)) {
      if (pending) {
        pending = false;
        continue;
      }
      ok = Counted(w, "KANJYOKAMOKU", account) &&
           Element(w, "KANJYOKAMOKU_CODE", std::to_string(code / 10000)) &&
           Element(w, "KANJYOKAMOKU_NAME", names[i]) &&
           Element(w, "KANJYOKAMOKU_ZANDAKA", AmountText(item.amount));
      if (item.hasSub == 0) {
        ok = ok && xmlTextWriterEndElement(w) >= 0;
        ++account;
      } else {
        pending = true;
      }
      continue;
    }
    ok = Counted(w, "HOJYOKAMOKU", sub++) &&
         Element(w, "HOJYOKAMOKU_CODE", std::to_string(code % 10000)) &&
         Element(w, "HOJYOKAMOKU_NAME", names[i]) &&
         Element(w, "HOJYOKAMOKU_ZANDAKA", AmountText(item.amount)) &&
         xmlTextWriterEndElement(w) >= 0;
    if (ok && (i + 1 == list.size() || IsAccountRow(*list[i + 1]))) {
      ok = xmlTextWriterEndElement(w) >= 0;
      sub = 1;
      ++account;
    }
  }
  return ok && xmlTextWriterEndDocument(w) >= 0;
}

}  // namespace

bool HaveLibxml() { return true; }

bool WriteWithLibxml(const std::string& path, const ZandakaList& list, const StDATAINFO& data,
                     const std::vector<std::string>& utf8Names, const std::string& utf8Company,
                     const std::string& utf8Label) {
  xmlTextWriterPtr w = xmlNewTextWriterFilename(path.c_str(), 0);
  if (w == nullptr) return false;
  xmlTextWriterSetIndent(w, 1);
  xmlTextWriterSetIndentString(w, X("\t"));
  const bool ok = Body(w, list, data, utf8Names, utf8Company, utf8Label);
  xmlFreeTextWriter(w);  // flushes and closes the file
  return ok;
}

#else

bool HaveLibxml() { return false; }

bool WriteWithLibxml(const std::string&, const ZandakaList&, const StDATAINFO&,
                     const std::vector<std::string>&, const std::string&, const std::string&) {
  return false;
}

#endif

}  // namespace benchreport
