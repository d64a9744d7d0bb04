/* A calculator library whose entry has another name than the one the program calls. */
void vCalculateOld(void)
{
}
