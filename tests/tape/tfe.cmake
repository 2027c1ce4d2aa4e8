# Tests: tfe.
