// Every command identifier of the molecule program (menu items, accelerators,
// palette buttons) and the names of the menus the frame assigns. The menus,
// the accelerator table, the hints, the palette and every window read them
// here; the set-up programs keep their own dialogs' identifiers.
#pragma once

namespace kovala {

namespace cmd {

// Molecule
inline constexpr int NewMolecule = 101;
inline constexpr int OpenMolecule = 102;
inline constexpr int SaveMolecule = 103;
inline constexpr int SaveAs = 104;
inline constexpr int Exit = 24340;

// Edit
inline constexpr int UndoBack = 201;
inline constexpr int AddElectron = 202;
inline constexpr int SubtractElectron = 203;
inline constexpr int AbbreviateHs = 205;
inline constexpr int CopyMolecule = 206;

// The palette: 250 plus the element kind, then the ring templates. 261, a
// pentagon, has no button.
inline constexpr int PaletteCarbon = 250;
inline constexpr int PaletteHydrogen = 251;
inline constexpr int PaletteOxygen = 252;
inline constexpr int PaletteNitrogen = 253;
inline constexpr int PaletteSulfur = 254;
inline constexpr int PaletteChlorine = 255;
inline constexpr int PalettePhosphorus = 256;
inline constexpr int PaletteBromine = 257;
inline constexpr int PaletteFluorine = 258;
inline constexpr int PaletteAromaticRing = 259;
inline constexpr int PaletteCyclohexane = 260;
inline constexpr int PaletteCyclobutane = 262;

// View
inline constexpr int ShowModel3D = 301;

// Practice and the courses' own menu
inline constexpr int StartLab = 450;
inline constexpr int QuitPracticeOrganic = 451;
inline constexpr int OrganicChemistry = 455;
inline constexpr int PreviousMolecule = 456;
inline constexpr int NextMolecule = 457;
inline constexpr int StartAgain = 458;

// The 3-D view: its menus, and the arrows (turn) and Shift+arrows (move) that
// the true-shape view answers too.
inline constexpr int ReturnToKovala = 501;
inline constexpr int CopyModel = 625;
inline constexpr int IncreaseSize = 651;
inline constexpr int DecreaseSize = 652;
inline constexpr int TurnLeft = 701;
inline constexpr int TurnRight = 702;
inline constexpr int TurnUp = 703;
inline constexpr int TurnDown = 704;
inline constexpr int MoveLeft = 705;
inline constexpr int MoveRight = 706;
inline constexpr int MoveUp = 707;
inline constexpr int MoveDown = 708;
inline constexpr int Animate = 709;
inline constexpr int StopAnimate = 710;

// Help
inline constexpr int HelpIndex = 901;
inline constexpr int UsingHelp = 902;

// The program's own items, from 1000 up.
inline constexpr int ExportMolecule = 1000;
inline constexpr int PrintMolecule = 1001;
inline constexpr int MoleculePanel = 1002;
inline constexpr int ShowTrueShape = 1010;  // in the View popups and the 3-D view's menu
inline constexpr int ReturnFromTrueShape = 1011;
inline constexpr int CopyTrueShape = 1012;
inline constexpr int ExportTrueShape = 1013;
inline constexpr int TrueShapeLonePairs = 1014;
inline constexpr int TrueShapeAngles = 1015;
inline constexpr int TrueShapeName = 1016;
inline constexpr int PrintTrueShape = 1017;
inline constexpr int AnimateTrueShape = 1018;
inline constexpr int TrueShapeZoomIn = 1020;
inline constexpr int TrueShapeZoomOut = 1021;
// The drawing area shown larger for a projector, in every state (Ctrl+plus,
// Ctrl+minus, Ctrl+0); the windows' rules stay in program pixels.
inline constexpr int ZoomDrawingIn = 1030;
inline constexpr int ZoomDrawingOut = 1031;
inline constexpr int ZoomDrawingActual = 1032;

}  // namespace cmd

namespace menu {

inline constexpr const char* Editor = "100";            // the editor once the molecule has atoms
inline constexpr const char* EmptyEditor = "500";       // the editor while the molecule is empty
inline constexpr const char* Course = "660";            // the practice lab and the organic course
inline constexpr const char* Model = "MENU_2";          // the 3-D view standing still
inline constexpr const char* Animating = "650";         // the 3-D view while it turns by itself
inline constexpr const char* TrueShape = "TRUE_SHAPE";  // the program's own view, no menu resource

}  // namespace menu

}  // namespace kovala
