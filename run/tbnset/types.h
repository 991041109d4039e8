// Enumerations and small types shared by the field model, the fields panel,
// the filter and find panels and the dialogs.
#pragma once

#include "platform/core/set.h"
#include "platform/core/typeinfo.h"

namespace tabulon {

/// Whether a record is bound to a dataset field or stands free with its own type.
enum TRecordKind { rkData, rkCalculated };
/// The button an editor of a record shows.
enum TRecordButtonStyle { rbsNone, rbsAuto, rbsEllipsis, rbsLookup, rbsPickList };
/// How an entered value is compared: whole value, initial part, internal part.
enum TCompareType { ctExact, ctInitial, ctInternal };
/// How many values a record takes: none (no matching), one, or a range of two.
enum TCountType { coNone, coOne, coTwo };
/// When the lookup editor locates while typing.
enum TLocateOption { loAuto, loDropDown, loBeforeDropDown };
/// When edited values become applied values.
enum TUpdateState { usNone, usAuto, usEditExitChange, usExitChange, usEditExit, usExit };
/// Row arrangement of the fields panel.
enum TPosState { psOneLineFmt, psOneLine, psTwoLineFmt, psTwoLine };
/// What a value image holds.
enum TSaveOption { soValues, soCommentTexts, soFiltered };
using TSaveOptions = TSet<TSaveOption>;
/// How the find panel searches.
enum TFindOptions { foIndexExact, foIndexNearest, foFast, foNormal };
/// Positioning of a keyed seek.
enum TQXSeekOption { dsoFirstEQ, dsoLastEQ, dsoAfterEQ, dsoAfter, dsoBeforeEQ, dsoBefore };
/// Where a seek goes when nothing is found.
enum TQXGotoOption { dgoFirst, dgoLast, dgoNone };
/// Result of comparing a key with a field.
enum TFieldCompareOption { fcoEqual, fcoMore, fcoLess };
/// Outcome of an index search.
enum TSearchState { ssNone, ssExact, ssNearest };
/// Glyph of an edit button.
enum TGlyphKind { gkCustom, gkDropDown, gkEllipsis };
/// Buttons and options of the fields-set dialogs.
enum TStateOption { soClear, soSetup, soHelp, soNext, soFilter };
using TStateOptions = TSet<TStateOption>;
/// How a dialog was closed.
enum TCloseState { csOk, csCancel, csNone };

/// Settings of a field record that were assigned explicitly.
enum TFieldRecordValue {
  frvDisplayLabel,
  frvDisplayWidth,
  frvEditMask,
  frvVisible,
  frvCommentWidth,
  frvCompare,
  frvCount,
  frvCaseInsensitive,
  frvAlignment,
  frvWithCaption,
  frvOnCaption,
  frvName,
};
using TFieldRecordValues = TSet<TFieldRecordValue>;

/// Pending change flags of a field list; as a set their bits are 1, 2, 4, 8.
enum TFieldsListChange {
  lcLayout,    // the rows must be laid out again
  lcSettings,  // the field map must be rebuilt and the panel told
  lcPending,   // edit values changed but were not applied
  lcApply,     // copy edit values into applied values at the next map rebuild
};
using TFieldsListChanges = TSet<TFieldsListChange>;

}  // namespace tabulon

TBN_ENUM(tabulon::TRecordKind, "rkData", "rkCalculated");
TBN_ENUM(tabulon::TRecordButtonStyle, "rbsNone", "rbsAuto", "rbsEllipsis", "rbsLookup",
         "rbsPickList");
TBN_ENUM(tabulon::TCompareType, "ctExact", "ctInitial", "ctInternal");
TBN_ENUM(tabulon::TCountType, "coNone", "coOne", "coTwo");
TBN_ENUM(tabulon::TLocateOption, "loAuto", "loDropDown", "loBeforeDropDown");
TBN_ENUM(tabulon::TUpdateState, "usNone", "usAuto", "usEditExitChange", "usExitChange",
         "usEditExit", "usExit");
TBN_ENUM(tabulon::TPosState, "psOneLineFmt", "psOneLine", "psTwoLineFmt", "psTwoLine");
TBN_ENUM(tabulon::TSaveOption, "soValues", "soCommentTexts", "soFiltered");
TBN_ENUM(tabulon::TFindOptions, "foIndexExact", "foIndexNearest", "foFast", "foNormal");
TBN_ENUM(tabulon::TQXSeekOption, "dsoFirstEQ", "dsoLastEQ", "dsoAfterEQ", "dsoAfter", "dsoBeforeEQ",
         "dsoBefore");
TBN_ENUM(tabulon::TQXGotoOption, "dgoFirst", "dgoLast", "dgoNone");
TBN_ENUM(tabulon::TFieldCompareOption, "fcoEqual", "fcoMore", "fcoLess");
TBN_ENUM(tabulon::TSearchState, "ssNone", "ssExact", "ssNearest");
TBN_ENUM(tabulon::TGlyphKind, "gkCustom", "gkDropDown", "gkEllipsis");
TBN_ENUM(tabulon::TStateOption, "soClear", "soSetup", "soHelp", "soNext", "soFilter");
TBN_ENUM(tabulon::TCloseState, "csOk", "csCancel", "csNone");
TBN_ENUM(tabulon::TFieldRecordValue, "frvDisplayLabel", "frvDisplayWidth", "frvEditMask",
         "frvVisible", "frvCommentWidth", "frvCompare", "frvCount", "frvCaseInsensitive",
         "frvAlignment", "frvWithCaption", "frvOnCaption", "frvName");
TBN_ENUM(tabulon::TFieldsListChange, "lcLayout", "lcSettings", "lcPending", "lcApply");
