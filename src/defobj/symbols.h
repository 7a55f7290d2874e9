// The object model's symbols. Each variable holds its symbol object once
// the module has been registered at start-up.
#pragma once

#include "runtime/objc.h"

// Phase symbols, made first at bootstrap.
extern id Creating, Setting, Using, CreatingOnly, UsingOnly;

// Warnings.
extern id WarningMessage, ResourceAvailability, LibraryUsage, DefaultAssumed, ObsoleteFeature,
    ObsoleteMessage, SaveWarning;

// Errors.
extern id SourceMessage, NotImplemented, SubclassMustImplement, InvalidCombination,
    InvalidOperation, InvalidArgument, CreateSubclassing, CreateUsage, OutOfMemory,
    InvalidAllocSize, InternalError, BlockedObjectAlloc, BlockedObjectUsage, ProtocolViolation,
    LoadError, SaveError;

// Plain symbols.
extern id t_ByteArray, t_LeafObject, t_PopulationObject, LanguageCOM, LanguageJS, LanguageJava,
    LanguageObjc;
