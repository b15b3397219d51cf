// The one search step: the next occurrence of FindText in the rich text of ActiveChild.
#pragma once

void FindNextInText();
