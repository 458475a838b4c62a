#pragma once

// Whether the source stays where it is (a copy) or leaves (a move: a rename, or a copy and then its deletion).
enum class Transfer { Copy, Move };

// How the destination name was used: free, taken by a file that the new one replaces, or the first free
// auto-numbered name.
enum class NameUse { Free, Replace, Number };
