// The crafted metafiles kept in tests/data/crafted-metafiles: each once
// crashed the button editor's Import (bitmap copies reading far away,
// scaling that divides by zero) or froze it (pattern fills, regions), or
// holds an extreme that must stay refused or quick (huge pens, infinite
// miter limits and transforms, save/restore runs, many pixels).
#pragma once

namespace testsupport
{
const char* const kCraftedMetafiles[] = {
    "c01_emf_bitblt_nobmi_far.emf",        "c02_emf_stretchblt_nobmi_far.emf",     "c03_emf_bitblt_nobmi_64k.emf",
    "c04_wmf_scaleviewport_intmin.wmf",    "c05_wmf_scalewindow_intmin.wmf",       "c06_wmf_scaleviewport_y_intmin.wmf",
    "c07_emf_cosmetic_pen_100000.emf",     "c08_emf_miter_inf.emf",                "c09_emf_miter_nan.emf",
    "c10_emf_48_clipregions_4096.emf",     "c11_wmf_48_regions_4096.wmf",          "c12_emf_patternbrush_30000_fills.emf",
    "c13_emf_patternbrush_3000_fills.emf", "c14_wmf_patternbrush_30000_fills.wmf", "c15_emf_transform_to_inf.emf",
    "c16_emf_savedc_64_restore_65.emf",    "c17_emf_99997_setpixel.emf",           "c18_wmf_frame_1unit.wmf",
    "c19_emf_text_4096_pdy.emf",           "c20_wmf_dib_bisize44_bitfields.wmf",   "c21_wmf_patternbrush_3000_fills.wmf",
    "c22_emf_patternbrush_300_fills.emf"};
} // namespace testsupport
