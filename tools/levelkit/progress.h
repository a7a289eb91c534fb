#pragma once
// Progress through a data folder's levels ("37/120") on standard error, shown
// only to a person watching a terminal; pipes and files get nothing extra.

void showProgress(int done, int total);  // overwrites the previous count
void endProgress();                      // erases the count, if one was shown
